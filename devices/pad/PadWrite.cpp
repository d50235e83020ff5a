// What the pad is sent: its 21-byte onboard block. Window thread; results are 1 or 0.
#include "devices/pad/OrvaneMousePadDevice.h"
#include "hid/ResultCode.h"
#include "platform/Trace.h"

namespace devices {

int COrvaneMousePadDevice::WriteSettings(int profileIndex, int, int, int, int) {
    if (profileIndex < 0 ||
        static_cast<size_t>(profileIndex) * pad::kProfileStride + pad::kBlockSize > 0x10000)
        return 0;
    // Bytes 4 and 9-20 are sent as the pad gave them: never before they were read.
    if (!blockRead_) {
        platform::Trace("mouse pad: the onboard block was never read; nothing sent\n");
        return 0;
    }
    // The mirror keeps the position; the code goes only into what is sent.
    const std::optional<pad::Block> block = pad::EncodeBlock(settingsBlock_, lightValues_);
    if (!block) {
        platform::TraceF("mouse pad: light mode %u is not in the mode list; nothing sent\n",
                         settingsBlock_[1]);
        return 0;
    }
    if (!channel_.IsOpen())
        return 0;
    const int begun = channel_.BeginTransaction();
    const int written = channel_.WriteMemory(
        block->data(), block->size(), static_cast<uint16_t>(profileIndex * pad::kProfileStride));
    const int ended = channel_.EndTransaction();
    return begun == hid::kResultOk && written == hid::kResultOk && ended == hid::kResultOk ? 1 : 0;
}

}  // namespace devices
