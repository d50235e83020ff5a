// Building control trees from layouts: tags, attributes, Default lists, Include, fonts and
// the failure paths (missing or malformed files give nothing and a trace line).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "UiTestSupport.h"
#include "platform/Trace.h"
#include "ui/controls/ButtonUI.h"
#include "ui/controls/OptionUI.h"
#include "ui/core/PaintManager.h"
#include "ui/layout/TabLayoutUI.h"
#include "ui/layout/VerticalLayoutUI.h"
#include "ui/skin/ControlFactory.h"
#include "ui/skin/DialogBuilder.h"
#include "ui/skin/ResourceManager.h"

namespace ui {
namespace {

namespace fs = std::filesystem;

class SkinFolder {
  public:
    SkinFolder() {
        path_ = fs::temp_directory_path() / ("t418-skin-" + std::to_string(::getpid()));
        fs::create_directories(path_ / "XML");
        CPaintManagerUI::SetResourcePath(path_.string());
    }
    ~SkinFolder() {
        CPaintManagerUI::SetResourcePath("");
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }

  private:
    fs::path path_;
};

class BuilderTest : public testing::HeadlessTest {};

TEST_F(BuilderTest, BuildsNestedControlsWithAttributesAndFindsThemInAnyCase) {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(R"(
        <Window size="400,300">
          <VerticalLayout name="Root" bkcolor="#FF102030">
            <Label name="Title_Label" text="Hello" textcolor="#FFFFFFFF" height="20"/>
            <HorizontalLayout>
              <Button name="ok_btn" text="OK" width="80" userdata="u1"/>
              <Option name="opt_a" group="g" selected="true"/>
            </HorizontalLayout>
          </VerticalLayout>
        </Window>)",
                                      "", nullptr, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    EXPECT_EQ(pm.GetInitSize(), (Size{400, 300}));
    EXPECT_EQ(root->GetBkColor(), 0xFF102030u);
    EXPECT_EQ(pm.FindControl("title_label"), pm.FindControl("TITLE_LABEL"));
    ASSERT_NE(pm.FindControl("title_label"), nullptr);
    EXPECT_EQ(pm.FindControl("Title_Label")->GetText(), "Hello");
    auto* ok = static_cast<CButtonUI*>(pm.FindControl("OK_BTN")->GetInterface("Button"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->GetUserData(), "u1");
    EXPECT_EQ(ok->GetFixedWidth(), 80);
    EXPECT_EQ(pm.FindSubControlByName(root, "Opt_A"), pm.FindControl("opt_a"));
    EXPECT_TRUE(static_cast<COptionUI*>(pm.FindControl("opt_a"))->IsSelected());
    EXPECT_EQ(pm.FindControl("missing"), nullptr);
}

TEST_F(BuilderTest, DefaultListsApplyBeforeTheElementsOwnAttributes) {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(R"(
        <Window>
          <Default name="Button" value="width=&quot;33&quot; text=&quot;dflt&quot;"/>
          <VerticalLayout>
            <Button name="a"/>
            <Button name="b" text="own"/>
          </VerticalLayout>
        </Window>)",
                                      "", nullptr, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    EXPECT_EQ(pm.FindControl("a")->GetText(), "dflt");
    EXPECT_EQ(pm.FindControl("a")->GetFixedWidth(), 33);
    EXPECT_EQ(pm.FindControl("b")->GetText(), "own");
}

TEST_F(BuilderTest, FontDefinitionsAndDpiScaling) {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(R"(
        <Window>
          <Font id="3" name="Sans" size="14" bold="true" default="true"/>
          <Label name="l" width="100" font="3"/>
        </Window>)",
                                      "", nullptr, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    EXPECT_EQ(pm.GetFont(3).size, 14);
    EXPECT_TRUE(pm.GetFont(3).bold);
    EXPECT_EQ(pm.GetFont(-1).face, "Sans");
    pm.SetDPI(144);
    EXPECT_EQ(pm.GetFont(3).size, 21);
    EXPECT_EQ(root->GetFixedWidth(), 150);
    EXPECT_EQ(pm.GetDPIObj()->Scale(20), 30);
}

TEST_F(BuilderTest, UnknownTagsGoToTheCallbackOrAreSkipped) {
    struct Callback : IDialogBuilderCallback {
        std::vector<std::string> asked;
        CControlUI* CreateControl(const std::string& cls) override {
            asked.push_back(cls);
            if (cls == "Special")
                return new CButtonUI;
            return nullptr;
        }
    } callback;
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(
        R"(<VerticalLayout><Special name="s"/><Nonsense name="n"/><Label name="l"/></VerticalLayout>)",
        "", &callback, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    EXPECT_NE(pm.FindControl("s"), nullptr);
    EXPECT_EQ(pm.FindControl("n"), nullptr);
    EXPECT_NE(pm.FindControl("l"), nullptr);
    EXPECT_EQ(callback.asked, (std::vector<std::string>{"Special", "Nonsense"}));
}

TEST_F(BuilderTest, RegisteredClassesServeTheirShortTag) {
    CControlFactory::GetInstance()->RegistControl("CGadgetUI", [] { return new CLabelUI; });
    std::unique_ptr<CControlUI> made(CControlFactory::GetInstance()->CreateControl("gadget"));
    EXPECT_NE(made, nullptr);
    // A tag ending in "UI" is left to the builder's callback (panel layouts are such tags).
    EXPECT_EQ(CControlFactory::GetInstance()->CreateControl("GadgetUI"), nullptr);
    std::unique_ptr<CControlUI> byClass(CControlFactory::GetInstance()->CreateControl("CGadgetUI"));
    EXPECT_NE(byClass, nullptr);
    CControlFactory::GetInstance()->UnregistControl("CGadgetUI");
    EXPECT_EQ(CControlFactory::GetInstance()->CreateControl("Gadget"), nullptr);
    CControlFactory::GetInstance()->RegistControl("CWidget", [] { return new CLabelUI; });
    std::unique_ptr<CControlUI> widget(CControlFactory::GetInstance()->CreateControl("Widget"));
    EXPECT_NE(widget, nullptr);
    CControlFactory::GetInstance()->UnregistControl("CWidget");
}

TEST_F(BuilderTest, IncludesAndResourceIndexNamesResolveFromTheSkinFolder) {
    SkinFolder skin;
    skin.Write("XML/row.xml",
               R"(<HorizontalLayout name="row"><Button name="row_btn"/></HorizontalLayout>)");
    skin.Write("main.xml", R"(<Window><VerticalLayout name="top">
        <Include source="XML\row.xml"/></VerticalLayout></Window>)");
    skin.Write("res.xml", R"(<Res><Xml name="XML_MAIN" path="main.xml"/></Res>)");
    ASSERT_TRUE(CResourceManager::GetInstance()->LoadResource("res.xml"));
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create("XML_MAIN", "", nullptr, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    EXPECT_NE(pm.FindControl("row_btn"), nullptr);
    EXPECT_EQ(pm.FindControl("row")->GetParent(), root);
    CResourceManager::GetInstance()->Release();
}

TEST_F(BuilderTest, MissingOrMalformedLayoutsGiveNothingAndATraceLine) {
    SkinFolder skin;
    skin.Write("broken.xml", "<Window><VerticalLayout></Window>");
    platform::TraceCapture trace;
    CPaintManagerUI pm;
    CDialogBuilder builder;
    EXPECT_EQ(builder.Create("broken.xml", "", nullptr, &pm), nullptr);
    EXPECT_TRUE(trace.Contains("broken.xml"));
    EXPECT_EQ(builder.Create("absent.xml", "", nullptr, &pm), nullptr);
    EXPECT_TRUE(trace.Contains("absent.xml"));
    EXPECT_EQ(builder.Create("<Window>", "", nullptr, &pm), nullptr);
    EXPECT_FALSE(builder.GetLastErrorMessage().empty());
}

TEST_F(BuilderTest, IncludeCyclesStopInsteadOfRecursingForever) {
    SkinFolder skin;
    skin.Write("loop.xml", R"(<VerticalLayout><Include source="loop.xml"/></VerticalLayout>)");
    platform::TraceCapture trace;
    CPaintManagerUI pm;
    CDialogBuilder builder;
    std::unique_ptr<CControlUI> root(builder.Create("loop.xml", "", nullptr, &pm));
    EXPECT_NE(root, nullptr);
    EXPECT_TRUE(trace.Contains("nested too deeply"));
}

TEST_F(BuilderTest, TabLayoutSelectedIdAppliesOnceThePagesExist) {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* root = builder.Create(
        R"(<TabLayout name="tabs" selectedid="1"><Label name="p0"/><Label name="p1"/><Label name="p2"/></TabLayout>)",
        "", nullptr, &pm);
    ASSERT_NE(root, nullptr);
    pm.AttachDialog(root);
    auto* tabs = static_cast<CTabLayoutUI*>(root);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_FALSE(pm.FindControl("p0")->IsVisible());
    EXPECT_TRUE(pm.FindControl("p1")->IsVisible());
    EXPECT_TRUE(tabs->SelectItem(2, false));
    EXPECT_FALSE(pm.FindControl("p1")->IsVisible());
    EXPECT_TRUE(pm.FindControl("p2")->IsVisible());
    EXPECT_FALSE(tabs->SelectItem(3));
}

}  // namespace
}  // namespace ui
