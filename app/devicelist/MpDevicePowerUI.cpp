#include "app/devicelist/MpDevicePowerUI.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/devicelist/FindChild.h"
#include "ui/controls/ProgressUI.h"
#include "ui/core/StringUtil.h"

namespace app {
namespace {

constexpr int kMaxLevel = 100;
constexpr int kKindMouse = 2;
constexpr int kKindMousePad = 3;

const char* ChargeImage(uint8_t state) {
    switch (state) {
        case 0:
            return "file='power/powered.png'";
        case 1:
            return "file='power/powering.png'";
        case 2:
            return "file='power/power.png'";
        default:
            return nullptr;
    }
}

struct PhoneType {
    const char* key;
    const char* image;
};

PhoneType PhoneFor(uint8_t code) {
    switch (code) {
        case 1:
            return {"Phone_type_iphone", "file='power/Phone_type_iphone.png'"};
        case 2:
            return {"Phone_type_samsung", "file='power/Phone_type_samsung.png'"};
        case 3:
            return {"Phone_type_other", "file='power/Phone_type_other.png'"};
        default:
            return {"Phone_type_no_device", "file='power/Phone_type_no_device.png'"};
    }
}

}  // namespace

void* CMpDevicePowerUI::GetInterface(std::string_view name) {
    if (ui::EqualsNoCase(name, kClassName))
        return this;
    return CVerticalLayoutUI::GetInterface(name);
}

void CMpDevicePowerUI::UpdatePower(const uint8_t* bytes, size_t length) {
    std::array<uint8_t, kRecordLength> record{};
    if (bytes != nullptr)
        std::copy_n(bytes, std::min(length, record.size()), record.begin());

    const int level = std::min<int>(record[0], kMaxLevel);
    auto* progress = FindChildAs<ui::CProgressUI>(this, "device_Power_progress");
    if (progress != nullptr)
        progress->SetValue(kMaxLevel - level);
    if (ui::CControlUI* value = FindChild(this, "device_power_value")) {
        char text[16];
        std::snprintf(text, sizeof text, "%d%s", level, "%");
        value->SetText(text);
    }
    if (kind_ == kKindMouse) {
        if (ui::CControlUI* logo = FindChild(this, "device_wuxian_logo"))
            logo->SetVisible(record[3] != 0);
    }
    if (const char* image = ChargeImage(record[1])) {
        if (progress != nullptr)
            progress->SetVisible(true);
        if (ui::CControlUI* status = FindChild(this, "device_power_status"))
            status->SetBkImage(image);
    }
    if (kind_ == kKindMousePad) {
        if (ui::CControlUI* phone = FindChild(this, "device_phone_type")) {
            const PhoneType type = PhoneFor(record[5]);
            phone->SetResourceText(true);
            phone->SetText(type.key);
            phone->SetBkImage(type.image);
        }
    }
}

void CMpDevicePowerUI::ShowPowerLayout(bool show) {
    if (ui::CControlUI* layout = FindChild(this, "device_power_Layout"))
        layout->SetVisible(show);
}

}  // namespace app
