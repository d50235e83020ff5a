// The device picture's controls as a user drives them.
#include <string>
#include <vector>

#include "PageTestSupport.h"
#include "controls/DeviceKeyButtonUI.h"
#include "controls/HandImageDrawing.h"
#include "controls/HandImgButtonUI.h"
#include "controls/HandImgSelectButtonUI.h"
#include "controls/LedColour.h"
#include "controls/RedioMacroButtonUI.h"
#include "controls/SelectPanelUI.h"

namespace devices_test {
namespace {

using controls::CDeviceKeyButtonUI;

const char* kPanelLayout = R"(
<Window size="600,400">
  <VerticalLayout>
    <SelectPanel name="panel" height="300" bkcolor="#FF101010">
      <DeviceKeyButton name="a" float="true" pos="20,20,60,60"/>
      <DeviceKeyButton name="b" float="true" pos="100,20,140,60"/>
      <DeviceKeyButton name="c" float="true" pos="20,150,60,190"/>
      <DeviceKeyButton name="off" float="true" pos="200,150,240,190" enabled="false"/>
      <Button name="plain" float="true" pos="300,20,340,60"/>
    </SelectPanel>
    <Control/>
  </VerticalLayout>
</Window>)";

class SelectPanelTest : public PageTest {
  protected:
    void SetUp() override { Open(kPanelLayout); }
    CDeviceKeyButtonUI* Key(const std::string& name) {
        return window->Get<CDeviceKeyButtonUI>(name);
    }
    void Drag(int x0, int y0, int x1, int y1) {
        window->Native()->MouseMove(x0, y0);
        window->Native()->MouseDown(x0, y0);
        window->Native()->MouseMove((x0 + x1) / 2, (y0 + y1) / 2);
        window->Native()->MouseMove(x1, y1);
        window->Native()->MouseUp(x1, y1);
    }
};

TEST_F(SelectPanelTest, DragSelectsTheKeyButtonsItMeetsAndUnselectsTheRest) {
    Key("c")->SetSelected(1);
    Key("off")->SetSelected(1);
    // From the bottom right up to the top left: the rectangle is normalised.
    Drag(150, 100, 10, 10);
    EXPECT_EQ(Key("a")->GetSelected(), 1);
    EXPECT_EQ(Key("b")->GetSelected(), 1);
    EXPECT_EQ(Key("c")->GetSelected(), 0);
    EXPECT_EQ(Key("off")->GetSelected(), 0) << "a disabled key is still a key of the picture";
    EXPECT_EQ(window->Count("click_select_end"), 1);
    auto* panel = window->Get<controls::CSelectPanelUI>("panel");
    EXPECT_EQ(panel->GetSelectionRect(), (ui::Rect{10, 10, 150, 100}));
    EXPECT_FALSE(panel->IsDragging());
    EXPECT_FALSE(panel->IsArmed());
}

TEST_F(SelectPanelTest, ALineSelectsNothingButStillEnds) {
    Key("a")->SetSelected(1);
    Drag(10, 40, 200, 40);  // no height
    EXPECT_EQ(Key("a")->GetSelected(), 0);
    EXPECT_EQ(Key("b")->GetSelected(), 0);
    EXPECT_EQ(window->Count("click_select_end"), 1);
}

TEST_F(SelectPanelTest, AClickWithoutMoveTouchesNothing) {
    Key("a")->SetSelected(1);
    window->Native()->Click(250, 250);
    EXPECT_EQ(Key("a")->GetSelected(), 1);
    EXPECT_EQ(window->Count("click_select_end"), 0);
}

TEST_F(SelectPanelTest, OnlyExactDeviceKeyButtonsAreTouched) {
    // A subclass answering another class name and a plain button are left alone.
    class Lookalike : public CDeviceKeyButtonUI {
      public:
        std::string GetClass() const override { return "DeviceKeyButtonX"; }
    };
    auto* panel = window->Get<controls::CSelectPanelUI>("panel");
    auto* other = new Lookalike;
    other->SetName("other");
    other->SetFloat(true);
    other->SetAttribute("pos", "20,80,60,120");
    panel->Add(other);
    other->SetSelected(1);
    window->GetPaintManager()->UpdateLayout();
    Drag(150, 140, 300, 141);  // meets none of them
    EXPECT_EQ(other->GetSelected(), 1);
    Drag(10, 10, 400, 200);
    EXPECT_EQ(other->GetSelected(), 1);
    EXPECT_EQ(Key("a")->GetSelected(), 1);
}

TEST_F(SelectPanelTest, DisabledPanelDoesNotSelect) {
    window->Get<controls::CSelectPanelUI>("panel")->SetEnabled(false);
    Drag(10, 10, 150, 100);
    EXPECT_EQ(window->Count("click_select_end"), 0);
}

TEST_F(SelectPanelTest, KeyButtonDoubleClickAndSelectionFlag) {
    auto* a = Key("a");
    window->Native()->DoubleClick(40, 40);
    EXPECT_EQ(window->Count("dbclick"), 1);
    window->Native()->DoubleClick(220, 170);  // the disabled one
    EXPECT_EQ(window->Count("dbclick"), 1);

    // Selection changes no drawing: setting it asks for no repaint.
    window->Native()->Paint();
    ui::Rect before = window->Native()->DirtyRect();
    a->SetSelected(1);
    a->SetSelected(1);
    EXPECT_EQ(a->GetSelected(), 1);
    EXPECT_EQ(window->Native()->DirtyRect(), before);
}

TEST_F(SelectPanelTest, LitKeyDrawsTheTintedLightThenTheMark) {
    AddImage("led.png", 10, 10);
    AddImage("mark.png", 8, 8);
    auto* a = Key("a");
    a->SetAttribute("lightimage", "led.png");
    a->SetAttribute("keysetimage", "mark.png");
    a->SetAttribute("gmnametextcolor", "#FF00FF");
    // Red 0x12, green 0x34, blue 0x56 as a device packs them: red, blue, green.
    ASSERT_EQ(controls::PackLedColour(0x12, 0x34, 0x56), 0x345612u);
    a->SetLightColour(0x345612, 128, true);
    a->SetKeySetImageHidden(false);
    auto images = window->Native()->Paint().OfKind(ui::headless::OpKind::Image);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_TRUE(images[0].tinted);
    EXPECT_EQ(images[0].color, ui::MakeColor(0x12, 0x34, 0x56));
    EXPECT_EQ(images[0].alpha, 128);
    EXPECT_EQ(images[0].rect, (ui::Rect{20, 20, 60, 60}));
    EXPECT_FALSE(images[1].tinted);
    a->SetLightColour(0, 0, false);
    a->SetKeySetImageHidden(true);
    EXPECT_TRUE(window->Native()->Paint().OfKind(ui::headless::OpKind::Image).empty());
}

const char* kPictureLayout = R"(
<Window size="600,400">
  <VerticalLayout>
    <HandImgButton name="pic" float="true" pos="10,10,110,110" deletenormalimage="del.png" deletehotimage="delhot.png"/>
    <HandImgSelectButton name="pan" float="true" pos="200,10,300,110" cursor="CROSS"/>
    <RedioMacroButton name="pulse" float="true" pos="10,200,60,230" redioimage="rec.png"/>
  </VerticalLayout>
</Window>)";

class PictureButtonTest : public PageTest {
  protected:
    void SetUp() override { Open(kPictureLayout); }
};

TEST_F(PictureButtonTest, DeleteIconRaisesItsOwnNotificationOnlyWhileShown) {
    auto* pic = window->Get<controls::CHandImgButtonUI>("pic");
    ui::Rect del = pic->DeleteRect();
    EXPECT_EQ(del, (ui::Rect{80, 81, 100, 101}));
    ui::Point p = Centre(del);
    // Hidden icon: a release there is an ordinary click.
    window->Native()->Click(p.x, p.y);
    EXPECT_EQ(window->Count("click"), 1);
    EXPECT_EQ(window->Count("click_handdelete"), 0);
    EXPECT_EQ(window->Count("msenter"), 1);

    pic->SetDeleteHidden(false);
    window->Native()->Click(p.x, p.y);
    EXPECT_EQ(window->Count("click_handdelete"), 1);
    EXPECT_EQ(window->Count("click"), 1);
    EXPECT_EQ(pic->GetDeleteImage(), "delhot.png");
    window->Native()->MouseMove(30, 30);
    EXPECT_EQ(pic->GetDeleteImage(), "del.png");
    window->Native()->Click(30, 30);
    EXPECT_EQ(window->Count("click"), 2);
    window->Native()->MouseMove(500, 300);
    EXPECT_EQ(window->Count("msleave"), 1);
}

TEST_F(PictureButtonTest, PickedPicturesParseWithTheirOwnRules) {
    auto info = controls::ParseHandImageDescription(
        "file='/home/u/p.png' dest='1,2,3,4' fade='100' hole='TRUE' mask='#FF00FF'");
    EXPECT_EQ(info.file, "/home/u/p.png");
    EXPECT_EQ(info.dest, (ui::Rect{1, 2, 3, 4}));
    EXPECT_EQ(info.fade, 100);
    EXPECT_TRUE(info.hole);
    EXPECT_EQ(info.mask, 0xFF00FFu);
    // A bare path is the file; a token out of form ends the reading.
    EXPECT_EQ(controls::ParseHandImageDescription("/tmp/x.png").file, "/tmp/x.png");
    auto cut = controls::ParseHandImageDescription("file='a.png'source='1,1,2,2' fade='5'");
    EXPECT_EQ(cut.file, "a.png");
    EXPECT_EQ(cut.fade, 255);
    EXPECT_EQ(controls::ParseHandImageDescription("file='' fade='9'").fade, 9);
}

TEST_F(PictureButtonTest, WidePictureShowsItsCornerAndPansInsideTheImage) {
    AddImage("wide.png", 101, 100);
    auto* pan = window->Get<controls::CHandImgSelectButtonUI>("pan");
    EXPECT_EQ(pan->GetCursor(), "cross");
    pan->SetHandImage("wide.png");
    EXPECT_EQ(pan->GetShownImage(), "file='wide.png' source='0,0,100,100'");
    window->Native()->MouseMove(250, 50);
    window->Native()->MouseDown(250, 50);
    window->Native()->MouseMove(240, 40);  // left and up: only one pixel to spare across
    EXPECT_EQ(pan->GetSourceRect(), (ui::Rect{1, 0, 101, 100}));
    window->Native()->MouseMove(290, 80);  // back past the left edge: stops at 0
    EXPECT_EQ(pan->GetSourceRect(), (ui::Rect{0, 0, 100, 100}));
    window->Native()->MouseUp(290, 80);
    EXPECT_FALSE(pan->IsDragging());

    AddImage("fit.png", 100, 100);
    pan->SetHandImage("fit.png");
    EXPECT_EQ(pan->GetShownImage(), "fit.png") << "a picture that fits is stretched";
}

TEST_F(PictureButtonTest, PulseRunsBetween80And255) {
    auto* pulse = window->Get<controls::CRedioMacroButtonUI>("pulse");
    pulse->SetPulse(true);
    std::vector<int> levels;
    for (int i = 0; i < 18; ++i) {
        backend.AdvanceTime(50);
        levels.push_back(pulse->GetFadeLevel());
    }
    EXPECT_EQ(levels, (std::vector<int>{235, 215, 195, 175, 155, 135, 115, 95, 80, 100, 120, 140,
                                        160, 180, 200, 220, 240, 255}));
    EXPECT_EQ(pulse->GetNormalImage(), "res='rec.png' fade='255'");
    pulse->SetPulse(false);
    backend.AdvanceTime(500);
    EXPECT_EQ(pulse->GetFadeLevel(), 255);
}

TEST(ProgramControls, RegisteredInStartUpOrder) {
    controls::ControlCreators creators;
    controls::AddCustomControlCreators(creators);
    devices::AddDeviceControlCreators(creators);
    std::vector<std::string> order =
        controls::RegisterProgramControls(*ui::CControlFactory::GetInstance(), creators);
    EXPECT_EQ(order,
              (std::vector<std::string>{
                  "CCircleProgressUI", "CChartViewUI", "CWndUI", "CSelectPanelUI",
                  "CDeviceKeyButtonUI", "CCloudShareListItemUI", "CUpdateInfoListItemUI",
                  "CComboEditContainerElementUI", "CHandImgButtonUI", "CHandImgSelectButtonUI",
                  "CRedioMacroButtonUI", "CShootPatternUI", "CAudioRecordUI", "COrvaneUSBDevice"}));
    for (const char* tag :
         {"Wnd", "SelectPanel", "DeviceKeyButton", "HandImgButton", "HandImgSelectButton",
          "RedioMacroButton", "ShootPattern", "OrvaneUSBDevice"}) {
        std::unique_ptr<ui::CControlUI> control(
            ui::CControlFactory::GetInstance()->CreateControl(tag));
        ASSERT_NE(control, nullptr) << tag;
        EXPECT_EQ(control->GetClass(), tag);
    }
    // Classes whose names are not their tags.
    for (auto [tag, name] : {std::pair{"CircleProgress", "CircleProgress"},
                             {"AudioRecord", "AudioRecord"},
                             {"ChartView", "ControlUI"},
                             {"CloudShareListItem", "CloudShareListItemUI"},
                             {"ComboEditContainerElement", "ComboEditContainerElement"}}) {
        std::unique_ptr<ui::CControlUI> control(
            ui::CControlFactory::GetInstance()->CreateControl(tag));
        ASSERT_NE(control, nullptr) << tag;
        EXPECT_EQ(control->GetClass(), name);
        EXPECT_NE(control->GetInterface(tag), nullptr) << tag;
    }
}

}  // namespace
}  // namespace devices_test
