#pragma once
// Whole-file reads and atomic whole-file writes, used by every file format of the program.
// Threads: any; two threads writing the same path at once leave one of the two files.
#include <cstddef>
#include <string>

namespace platform {

// Reads the whole regular file into out. False (out emptied) when it is missing, not a
// regular file, unreadable, or larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes = 64u << 20);

// Writes the bytes to a temporary file in the same folder, flushes it to disk and renames it
// over path, so a crash or a full disk leaves either the old file or the new one, never half
// of one. False (and a trace line) on any failure; the old file is then untouched.
bool WriteFileAtomic(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path);  // a regular file
bool FolderExists(const std::string& path);

namespace testing {
// Makes the next WriteFileAtomic fail after its temporary file was written, before the rename.
void FailNextAtomicWriteBeforeRename();
}  // namespace testing

}  // namespace platform
