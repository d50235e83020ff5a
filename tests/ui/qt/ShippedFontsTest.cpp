// The faces the program asks for are drawn in the fonts it ships: each mapped family is the
// family of the font file the build puts in Font/, and a face asked for comes out in it.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <filesystem>

#include "QtHarness.h"
#include "app/FontLoader.h"
#include "app/LanguageRules.h"
#include "platform/FileIO.h"
#include "platform/Folders.h"
#include "ui/qt/QtFonts.h"

namespace {

namespace fs = std::filesystem;

TEST(ShippedFonts, EachLanguageFaceIsMappedToTheFamilyOfTheFontShippedForIt) {
    const fs::path folder = fs::path(platform::ProgramFolder());
    if (!fs::is_directory(folder / "Font"))
        GTEST_SKIP() << "no Font/ folder beside this build's programs";
    ui::qt::QtBackend& backend = qt_test::Backend();
    // Font/ order: the simplified Chinese face, the Latin face, Thai, traditional Chinese.
    const char* faces[] = {"汉仪菱心体简", "Verdana Unicode MS", "Noto Sans Thai",
                           "Noto Sans CJK TC Regular"};
    std::string families[4];
    for (int i = 0; i < 4; ++i) {
        std::string bytes;
        ASSERT_TRUE(
            platform::ReadWholeFile((folder / app::kProgramFonts[i]).string(), bytes, 64u << 20))
            << app::kProgramFonts[i];
        families[i] = backend.AddPrivateFont(bytes);
        ASSERT_FALSE(families[i].empty()) << app::kProgramFonts[i];
    }
    for (int i = 0; i < 4; ++i) {
        std::string mapped = faces[i];
        for (const app::FaceFamily& shipped : app::ShippedFaceFamilies()) {
            if (mapped == shipped.face)
                mapped = shipped.family;
        }
        // A font collection answers with its first family (the CJK one: JP); its own
        // family then comes out below.
        if (std::string(app::kProgramFonts[i]).find("CJK") == std::string::npos) {
            EXPECT_EQ(mapped, families[i]) << faces[i];
        }
        backend.SetFontSubstitute(faces[i], mapped);
        ui::FontSpec font;
        font.face = faces[i];
        font.size = 14;
        EXPECT_EQ(QFontInfo(ui::qt::FontFor(font)).family().toStdString(), mapped) << faces[i];
    }
    for (int i = 0; i < 4; ++i)
        backend.SetFontSubstitute(faces[i], "");
    backend.RemovePrivateFonts();
}

}  // namespace
