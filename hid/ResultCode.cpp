#include "hid/ResultCode.h"

namespace hid {

const char* ResultText(int result) {
    switch (result) {
        case kResultOk:
            return "success";
        case kResultNoAnswer:
            return "channel not open or no answer from the device";
        case kResultWriteFailed:
            return "the request could not be written";
        case kResultNotLinked:
            return "the receiver reports the mouse is not linked";
        case kResultStatusFailed:
            return "the device answered status 0xFF";
        case kResultStatusRejected:
            return "the device answered status 0xFE";
        case kResultInvalidBank:
            return "invalid key-table bank";
        default:
            return "unknown result";
    }
}

}  // namespace hid
