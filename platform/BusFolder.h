#pragma once
// The bus folder of the platform realisation (internal to the message bus).
// Threads: any.
namespace platform::detail {

// Creates the bus folder (mode 0700) when missing and checks it belongs to this user alone.
bool EnsureBusFolder();

}  // namespace platform::detail
