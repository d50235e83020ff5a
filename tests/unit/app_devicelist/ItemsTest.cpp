// The device tables and the list and power items on their own.
#include <memory>

#include "app/devicelist/DeviceTables.h"
#include "app/devicelist/FindChild.h"
#include "tests/unit/app_devicelist/DeviceListTestSupport.h"
#include "ui/controls/OptionUI.h"
#include "ui/controls/ProgressUI.h"
#include "ui/skin/DialogBuilder.h"

namespace devicelist_test {
namespace {

TEST(DeviceTables, TypeLookupTakesAllFourValues) {
    EXPECT_EQ(app::FindDeviceType(0x320F, 0x22A4, 2, 0), 0u);
    EXPECT_EQ(app::FindDeviceType(0x320F, 0x0000, 1, 0), 1u);
    EXPECT_EQ(app::FindDeviceType(0x320F, 0x1004, 3, 0), 2u);
    EXPECT_EQ(app::FindDeviceType(0x0C76, 0x1630, 7, 0), 3u);
    // The receiver's own values are no type: it stands for the cable's device.
    EXPECT_FALSE(app::FindDeviceType(0x320F, 0x226F, 6, 0));
    EXPECT_FALSE(app::FindDeviceType(0x320F, 0x22A4, 2, 1));
    EXPECT_FALSE(app::FindDeviceType(0x0C76, 0x1004, 3, 0));
}

class PowerItemTest : public DeviceListTest {
  protected:
    void SetUp() override {
        DeviceListTest::SetUp();
        ui::CDialogBuilder builder;
        built.reset(builder.Create(kPowerLayout));
        power = dynamic_cast<app::CMpDevicePowerUI*>(built.get());
        ASSERT_NE(power, nullptr);
    }
    ui::CControlUI* Child(const char* name) { return app::FindChild(power, name); }
    int Progress() {
        return dynamic_cast<ui::CProgressUI*>(Child("device_Power_progress"))->GetValue();
    }

    std::unique_ptr<ui::CControlUI> built;
    app::CMpDevicePowerUI* power = nullptr;
};

TEST_F(PowerItemTest, LevelIsCappedAndTheBarShowsWhatIsMissing) {
    power->SetKind(2);
    const uint8_t full[] = {180, 3};
    power->UpdatePower(full, sizeof full);
    EXPECT_EQ(Child("device_power_value")->GetText(), "100%");
    EXPECT_EQ(Progress(), 0);
    const uint8_t part[] = {37, 3};
    power->UpdatePower(part, sizeof part);
    EXPECT_EQ(Child("device_power_value")->GetText(), "37%");
    EXPECT_EQ(Progress(), 63);
    // An unknown charge state changes neither the bar's visibility nor the status picture.
    EXPECT_FALSE(Child("device_Power_progress")->IsOwnVisible());
    EXPECT_EQ(Child("device_power_status")->GetBkImage(), "");
}

TEST_F(PowerItemTest, ChargeStatesPickTheirPictures) {
    power->SetKind(2);
    const char* images[] = {"file='power/powered.png'", "file='power/powering.png'",
                            "file='power/power.png'"};
    for (uint8_t state = 0; state < 3; ++state) {
        const uint8_t record[] = {50, state};
        power->UpdatePower(record, sizeof record);
        EXPECT_EQ(Child("device_power_status")->GetBkImage(), images[state]);
        EXPECT_TRUE(Child("device_Power_progress")->IsOwnVisible());
    }
    const uint8_t odd[] = {50, 9};
    power->UpdatePower(odd, sizeof odd);
    EXPECT_EQ(Child("device_power_status")->GetBkImage(), images[2]);
}

TEST_F(PowerItemTest, WirelessLogoOnlyForAMouseAndPhoneOnlyForAPad) {
    power->SetKind(2);
    const uint8_t receiver[] = {50, 0, 0, 1, 0, 2};
    power->UpdatePower(receiver, sizeof receiver);
    EXPECT_TRUE(Child("device_wuxian_logo")->IsOwnVisible());
    EXPECT_EQ(Child("device_phone_type")->GetTextKey(), "");
    const uint8_t cable[] = {50, 0, 0, 0};
    power->UpdatePower(cable, sizeof cable);
    EXPECT_FALSE(Child("device_wuxian_logo")->IsOwnVisible());

    power->SetKind(3);
    const struct {
        uint8_t code;
        const char* key;
    } phones[] = {{1, "Phone_type_iphone"},
                  {2, "Phone_type_samsung"},
                  {3, "Phone_type_other"},
                  {0, "Phone_type_no_device"},
                  {77, "Phone_type_no_device"}};
    for (const auto& p : phones) {
        const uint8_t record[] = {50, 0, 0, 1, 0, p.code};
        power->UpdatePower(record, sizeof record);
        EXPECT_EQ(Child("device_phone_type")->GetTextKey(), p.key);
        EXPECT_EQ(Child("device_phone_type")->GetBkImage(),
                  std::string("file='power/") + p.key + ".png'");
    }
    // The pad's record never touches the mouse's logo.
    EXPECT_FALSE(Child("device_wuxian_logo")->IsOwnVisible());
}

TEST_F(PowerItemTest, ShortLongAndMissingRecordsAreSafe) {
    power->SetKind(3);
    power->UpdatePower(nullptr, 64);
    EXPECT_EQ(Child("device_power_value")->GetText(), "0%");
    EXPECT_EQ(Child("device_phone_type")->GetTextKey(), "Phone_type_no_device");
    std::vector<uint8_t> longRecord(300, 1);
    longRecord[0] = 12;
    power->UpdatePower(longRecord.data(), longRecord.size());
    EXPECT_EQ(Child("device_power_value")->GetText(), "12%");
    EXPECT_EQ(Child("device_phone_type")->GetTextKey(), "Phone_type_iphone");
    power->ShowPowerLayout(false);
    EXPECT_FALSE(Child("device_power_Layout")->IsOwnVisible());
}

TEST_F(DeviceListTest, ItemIconsFollowKindAndSynchronisation) {
    ui::CDialogBuilder builder;
    std::unique_ptr<ui::CControlUI> built(builder.Create(kItemLayout));
    auto* item = dynamic_cast<app::CDeviceOptionUI*>(built.get());
    ASSERT_NE(item, nullptr);
    auto* option = dynamic_cast<ui::COptionUI*>(app::FindChild(item, "device_select"));
    ASSERT_NE(option, nullptr);
    const struct {
        int kind, subKind;
        const char* stem;
    } cases[] = {{1, 0, "kb"}, {2, 0, "ms"}, {3, 0, "hard_mp"}, {3, 1, "soft_mp"},
                 {4, 0, "hd"}, {7, 0, "hd"}, {5, 0, "hub"},     {9, 0, "unknow"}};
    for (const auto& c : cases) {
        item->SetIcons(c.kind, c.subKind);
        const std::string base = std::string("common/device_ico/") + c.stem;
        EXPECT_EQ(option->GetSelectedImage(), base + "_device_selected.png") << c.kind;
        EXPECT_EQ(option->GetTextKey(), std::string(c.stem) + "_device_name_text");
    }
    item->SetIcons(3, 0);
    item->SetIcons(3, 2);  // an unknown pad keeps its pictures
    EXPECT_EQ(option->GetSelectedImage(), "common/device_ico/hard_mp_device_selected.png");
    EXPECT_EQ(item->GetSubKind(), 2);

    item->SetSynchro(true);
    EXPECT_TRUE(item->IsSynchro());
    EXPECT_EQ(option->GetSelectedImage(), "common/device_ico/hard_mp_device_synchro_selected.png");
    item->SetSynchro(false);
    EXPECT_EQ(option->GetSelectedImage(), "common/device_ico/hard_mp_device_selected.png");
}

}  // namespace
}  // namespace devicelist_test
