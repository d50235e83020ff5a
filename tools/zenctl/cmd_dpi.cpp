// dpi show|set: the current profile's sensitivity stages as DPI numbers, and one stage set
// from a typed number, stored and sent as the performance page does.
#include <cstdio>
#include <optional>

#include "devices/mouse/DpiConversion.h"
#include "hid/ResultCode.h"
#include "tools/zenctl/MouseSession.h"
#include "tools/zenctl/ProtoChannel.h"

namespace zenctl {
namespace {

namespace mouse = devices::mouse;

int Usage() {
    std::fprintf(stderr,
                 "usage: t418-zenctl dpi show [--device cable|receiver] [--sensor ID]\n"
                 "       t418-zenctl dpi set STAGE VALUE [--device cable|receiver] "
                 "[--sensor ID]\n"
                 "  STAGE 0-6; VALUE a DPI number read as the page's edit reads it\n");
    return kExitUsage;
}

// Removes "--sensor ID" (hex 0x... or decimal); false on a bad option.
bool TakeSensorOption(std::vector<std::string>& args, std::optional<uint16_t>& sensor) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--sensor")
            continue;
        unsigned long value = 0;
        if (i + 1 >= args.size() || !ParseUnsigned(args[i + 1], 0xFFFF, value))
            return false;
        sensor = static_cast<uint16_t>(value);
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        return true;
    }
    return true;
}

// The mouse object of the current profile: on the mouse's channel when one is found (its
// information block read), otherwise without a channel.
struct DpiSession {
    MouseSession session;
    bool reachable = false;
};

DpiSession Open(const std::string& device, const Options& options, std::optional<uint16_t> sensor) {
    DpiSession s;
    s.session = OpenMouseSession(device, options);
    if (!s.session.device) {
        s.session.device = std::make_unique<devices::COrvaneMouseDevice>();
        s.session.device->SetDataFolderName("mouse");
        s.session.device->SetProfileBaseName(CurrentProfileName(
            s.session.device->GetUserDataFolder(), s.session.device->GetDefaultDocumentPath()));
    }
    devices::COrvaneMouseDevice& m = *s.session.device;
    hid::CHidChannel& channel = m.Channel();
    if (channel.IsOpen() && (!channel.Wireless() || channel.ProbeLink())) {
        std::array<uint8_t, hid::kInfoBlockLength> block{};
        channel.BeginTransaction();
        if (channel.ReadInfoBlock(block.data()) == hid::kResultOk) {
            channel.EndTransaction();
            m.SetInfoBlock(block);
            s.reachable = true;
        }
    }
    if (sensor) {
        std::array<uint8_t, hid::kInfoBlockLength> block = m.InfoBlock();
        block[9] = static_cast<uint8_t>(*sensor & 0xFF);
        block[10] = static_cast<uint8_t>(*sensor >> 8);
        m.SetInfoBlock(block);
    }
    m.LoadProfile();
    return s;
}

void PrintSensor(const mouse::SensorParams& sensor, bool reachable) {
    std::printf("sensor:  0x%04X (step %u, steps %u, base %u)%s\n", sensor.sensor, sensor.step,
                sensor.stepCount, sensor.base, reachable ? "" : " - the mouse is not reachable");
}

int Show(DpiSession& s) {
    devices::COrvaneMouseDevice& m = *s.session.device;
    const mouse::SensorParams sensor = m.Sensor();
    PrintSensor(sensor, s.reachable);
    std::printf("profile: %s\n", m.GetProfilePath().c_str());
    const int active = m.Profile().GetActiveStage();
    const std::vector<profile::DpiStageRecord>& stages = m.GetStageRecords();
    for (size_t i = 0; i < stages.size() && i < mouse::kStageCount; ++i) {
        const profile::DpiStageRecord& stage = stages[i];
        const int position = mouse::PositionOfRecord(sensor, stage);
        std::printf("stage %zu: %-3s %6d DPI  position %3d  colour #%02X%02X%02X%s\n", i,
                    stage.enabled ? "on" : "off", mouse::DpiOfPosition(sensor, position), position,
                    stage.red, stage.green, stage.blue,
                    static_cast<int>(i) == active ? "  (active)" : "");
    }
    return kExitOk;
}

int Set(DpiSession& s, const std::string& stageText, const std::string& value) {
    unsigned long stage = 0;
    if (!ParseUnsigned(stageText, mouse::kStageCount - 1, stage))
        return Usage();
    devices::COrvaneMouseDevice& m = *s.session.device;
    const mouse::SensorParams sensor = m.Sensor();
    if (!s.reachable && sensor.sensor == 0) {
        std::fprintf(stderr, "dpi: the mouse is not reachable; name its sensor with --sensor\n");
        return kExitNoDevice;
    }
    std::vector<profile::DpiStageRecord> stages = m.GetStageRecords();
    mouse::GrowStages(stages, static_cast<int>(stage));
    profile::DpiStageRecord& record = stages[stage];
    // The slider of a sensor without a range of its own takes what a stage record holds.
    const mouse::SliderRange range = mouse::StageSliderRange(sensor);
    const int current = mouse::PositionOfRecord(sensor, record);
    const int position = mouse::PositionOfTypedText(
        sensor, value, current, range.set ? range.minimum : 0, range.set ? range.maximum : 0xFFFF);
    mouse::StorePosition(sensor, record, position);
    m.SetStageRecords(stages);
    m.SaveProfile();
    std::printf("stage %lu: %d DPI (position %d)\nsaved:   %s\n", stage,
                mouse::DpiOfPosition(sensor, position), position, m.GetProfilePath().c_str());
    if (!s.reachable) {
        std::printf("not sent: the mouse is not reachable\n");
        return kExitOk;
    }
    const int result = m.WriteSettings(0, 0, 1, 0, 0);
    if (result != hid::kResultOk)
        return ReportFailure("write settings", result);
    std::printf("sent:    settings block of onboard profile 0\n");
    return kExitOk;
}

int RunDpi(const std::vector<std::string>& arguments, const Options& options) {
    std::vector<std::string> args = arguments;
    std::string device;
    std::optional<uint16_t> sensor;
    if (!TakeDeviceOption(args, device) || !TakeSensorOption(args, sensor) || args.empty())
        return Usage();
    if (args[0] == "show" && args.size() == 1) {
        DpiSession s = Open(device, options, sensor);
        return Show(s);
    }
    if (args[0] == "set" && args.size() == 3) {
        DpiSession s = Open(device, options, sensor);
        return Set(s, args[1], args[2]);
    }
    return Usage();
}

const CommandRegistration registration({"dpi", "dpi show|set STAGE VALUE [--device D]",
                                        "the current profile's sensitivity stages as DPI "
                                        "numbers; set one as the page does",
                                        RunDpi});

}  // namespace
}  // namespace zenctl
