#pragma once
// Validation of profile files and documents: says exactly which member is wrong and why.
// Used by `t418-zenctl profile check` and by the checks of the factory documents.
#include <json/value.h>

#include <string>
#include <vector>

namespace profile {

struct CheckOptions {
    // "mouse", "keyboard", "MousePad" or "HD"; empty: judged by the sections present.
    std::string deviceType;
    // Every member the device type reads must be there (a factory document); otherwise a
    // missing member is fine, since it reads as 0.
    bool complete = false;
};

// True for the four device type names above.
bool IsDeviceType(const std::string& name);

// One line per problem, each starting with the member's path ("Device[0].DPIStages...");
// empty when the document is sound.
std::vector<std::string> CheckProfileDocument(const Json::Value& root, const CheckOptions& options);
std::vector<std::string> CheckProfileFile(const std::string& path, const CheckOptions& options);

}  // namespace profile
