#include "ui/render/ImageCache.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../platform/TestFolders.h"
#include "RecordingTarget.h"
#include "platform/Trace.h"

using namespace ui;

namespace {

class ImageCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = folder.path();
        std::ofstream(dir / "good.png") << "IMG";
        std::ofstream(dir / "bad.png") << "junk";
    }

    t418test::TempFolder folder;  // private: the tests run side by side
    std::filesystem::path dir;
    int decodes = 0;
    ImageCache cache{[this](const std::string& bytes) -> std::shared_ptr<Image> {
        ++decodes;
        if (bytes != "IMG")
            return nullptr;
        return std::make_shared<testing_render::FakeImage>(4, 3);
    }};
};

TEST_F(ImageCacheTest, LoadsRelativeAndAbsoluteNamesOnce) {
    cache.SetResourcePath(dir.string());
    const TImageInfo* a = cache.GetImage("good.png");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->width, 4);
    EXPECT_EQ(a->height, 3);
    EXPECT_EQ(cache.GetImage("good.png"), a);
    EXPECT_NE(cache.GetImage((dir / "good.png").string()), nullptr);
    EXPECT_EQ(decodes, 2);  // one per distinct name
}

TEST_F(ImageCacheTest, FailuresAreTracedOnceAndNotRetried) {
    cache.SetResourcePath(dir.string());
    platform::TraceCapture capture;
    EXPECT_EQ(cache.GetImage("bad.png"), nullptr);
    EXPECT_EQ(cache.GetImage("bad.png"), nullptr);
    EXPECT_EQ(cache.GetImage("none.png"), nullptr);
    EXPECT_EQ(cache.GetImage(""), nullptr);
    EXPECT_EQ(decodes, 1);
    EXPECT_EQ(capture.Lines().size(), 2u);
    EXPECT_TRUE(capture.Contains("none.png"));
    // An image registered later under a failed name is served.
    EXPECT_NE(cache.AddImage("none.png", std::make_shared<testing_render::FakeImage>(1, 1)),
              nullptr);
    EXPECT_NE(cache.GetImage("none.png"), nullptr);
}

TEST_F(ImageCacheTest, DrawInfoIsParsedOncePerDescriptionAndModifier) {
    const TDrawInfo& a = cache.GetDrawInfo("file='x.png' fade='10'");
    for (int i = 0; i < 100; ++i)
        cache.GetDrawInfo("y" + std::to_string(i));
    EXPECT_EQ(&cache.GetDrawInfo("file='x.png' fade='10'"), &a);  // stable across growth
    EXPECT_NE(&cache.GetDrawInfo("file='x.png' fade='10'", "fade='20'"), &a);
    EXPECT_EQ(cache.GetDrawInfo("file='x.png' fade='10'", "fade='20'").fade, 20);
}

}  // namespace
