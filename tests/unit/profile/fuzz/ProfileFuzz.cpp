// libFuzzer target: any bytes as a profile file, through parsing, every getter and setter,
// the check and the writer. Built only with clang (-fsanitize=fuzzer); see the folder's
// CMakeLists.txt. Run: build-clang/bin/profile_fuzz -max_total_time=60 resources/DefaultData
#include <cstddef>
#include <cstdint>
#include <string>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "profile/ProfileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    Json::Value root;
    profile::ParseJsonText(text, root);
    profile::CheckProfileDocument(root, {});
    const Json::Value& doc = profile::json::Element(profile::json::Member(root, "Device"), 0);

    profile::CMouseProfiledata mouse;
    mouse.SetDocument(doc);
    auto stages = mouse.GetDpiStages();
    auto keys = mouse.GetKeyList();
    auto system = mouse.GetSystemRecord();
    auto light = mouse.GetLightRecord();
    auto audio = mouse.GetAudioLightRecord();
    mouse.GetLedList();
    mouse.SetDpiStages(stages);
    mouse.SetActiveStage(mouse.GetActiveStage());
    mouse.SetKeyList(keys);
    mouse.SetSystemRecord(system);
    mouse.SetLightRecord(light);
    mouse.SetAudioLightRecord(audio);

    profile::CKeyboardProfiledata keyboard;
    keyboard.SetDocument(doc);
    auto words = keyboard.GetKeyboardSystemRecord();
    int32_t group = keyboard.GetCustomLightGroupIndex();
    keyboard.SetCustomColours(group, keyboard.GetCustomColours(group));
    keyboard.SetKeyboardSystemRecord(words[0], words[1], words[2]);

    profile::StyledJsonText(mouse.Document());
    profile::StyledJsonText(root);
    return 0;
}
