#pragma once
// Faults the simulated devices can be told to show: no answer, a wrong echo once or always,
// a refusing status at a given packet, a slow answer, an answer cut short, the receiver's
// mouse going out of reach from a given packet on. Shared by every path of one device.
#include <cstdint>
#include <mutex>
#include <string>

namespace sim::firmware {

struct FaultDecision {
    bool drop = false;       // send no answer
    bool wrongEcho = false;  // answer with a byte 3 that is not the request's code
    uint8_t status = 0;      // non-zero: refuse with this status without acting
    uint32_t delayMs = 0;    // answer this much later
    uint32_t cutTo = 0;      // non-zero: send only the first cutTo bytes of the answer
    bool unlinked = false;   // the receiver answers as without its mouse
};

class FaultInjector {
  public:
    void Clear();
    void SetNoAnswer(bool on);
    void SetWrongEcho(bool always);  // false: the next answer only
    // The `packetNumber`-th request from now (1 = the next one) is refused with `status`.
    void SetStatusAt(uint8_t status, uint32_t packetNumber);
    void SetSlow(uint32_t delayMs);
    // Every answer is sent with only its first `bytes` bytes (0: whole answers again).
    void SetShortAnswer(uint32_t bytes);
    // From the `packetNumber`-th request from now on (1 = the next one) the receiver answers
    // as if its mouse were out of reach, until Clear. 0 turns it off.
    void SetUnlinkFrom(uint32_t packetNumber);

    // Decides the fate of the next request and advances the packet count.
    FaultDecision Next();
    std::string Describe() const;

  private:
    mutable std::mutex mutex_;
    bool noAnswer_ = false;
    bool echoOnce_ = false;
    bool echoAlways_ = false;
    uint8_t status_ = 0;
    uint32_t statusCountdown_ = 0;
    uint32_t delayMs_ = 0;
    uint32_t cutTo_ = 0;
    uint32_t unlinkCountdown_ = 0;
    bool unlinked_ = false;
};

}  // namespace sim::firmware
