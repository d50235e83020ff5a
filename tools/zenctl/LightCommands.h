#pragma once
// light show|set|audio set|effect: the mouse's lighting as the light tab of the mouse page
// keeps it, changed through the page's own rules and change path.
// Threads: the tool's only thread.
#include <string>
#include <vector>

#include "devices/mouse/OrvaneMouseDevice.h"
#include "profile/LightRecords.h"
#include "tools/zenctl/Command.h"

namespace zenctl {

// args: what follows "show", "set", "audio" and "effect".
int RunLightShow(const std::vector<std::string>& args, const Options& options);
int RunLightSet(const std::vector<std::string>& args, const Options& options);
int RunLightAudio(const std::vector<std::string>& args, const Options& options);
int RunLightEffect(const std::vector<std::string>& args, const Options& options);

// The usage text of every light subcommand; answers the usage exit code.
int LightUsage();

// "mode 13 Police flash" / "mode 1 breathe".
std::string DescribeMode(const devices::COrvaneMouseDevice& mouse, int position);
// The light record and the audio light record, a line each field.
void PrintLightRecord(const devices::COrvaneMouseDevice& mouse, const profile::LightRecord& r);
void PrintAudioRecord(const profile::AudioLightRecord& r);

}  // namespace zenctl
