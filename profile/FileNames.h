#pragma once
// Names derived from time and paths. Any thread.
#include <string>

#include "platform/LocalTime.h"

namespace profile {

// "%d_%02d_%02d_%02d_%02d_%02d_%03d" of the local time: the identifier of new profiles and
// macros. Two calls within the same millisecond give the same name.
std::string MakeTimestampName();
std::string MakeTimestampName(const platform::LocalTime& time);

// The last component of path ('/' or '\' separated) without the text from its last dot.
std::string GetFileTitle(const std::string& path);

// Where an unusable file at path is kept before it is replaced: "<path>.<timestamp>.bad", with
// "-1", "-2", ... before ".bad" while that name is taken.
std::string FreeBackupName(const std::string& path);

}  // namespace profile
