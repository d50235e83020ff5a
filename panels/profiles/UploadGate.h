#pragma once
// Whether a key map or macro upload to a device is in progress. An upload runs on the window
// thread but may show a message box between its parts (the macros refused, then the key
// map), whose loop lets other messages in; a profile switch arriving then must wait until
// the upload is over, or the device would end with one profile's macros and another's keys.
// Threads: window thread only.

namespace panels {

class UploadGate {
  public:
    // Marks an upload for its lifetime; scopes nest.
    class Scope {
      public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };
    static bool Busy();
};

}  // namespace panels
