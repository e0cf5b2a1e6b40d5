// Takes the page data a modem sends while a page is received: DLE ETX ends the
// page, DLE DLE stands for one DLE byte, DLE and any other byte for that byte.
// A Class 2 modem sends the bits of each byte in the reverse order of the
// file's, so its bytes are reversed before they are stored; Class 2.0 and
// Class 1 bytes are stored as received. A DLE at the end of one call pairs
// with the first byte of the next.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fax/ByteSink.h"

namespace vl::fax {

struct PageDataResult {
    std::size_t consumed = 0;  // input bytes used; bytes after DLE ETX are left
    bool pageEnded = false;    // DLE ETX was seen
    int error = 0;             // the sink's failure, which ends the page
};

class PageDataReceiver {
public:
    // Most input bytes taken in one call.
    static constexpr std::size_t kMaxPerCall = 10000;

    PageDataReceiver(ByteSink sink, bool reverseBits);

    // Starts a new page: no DLE pending, no bytes counted.
    void StartPage();
    // Whether stored bytes are reversed (the session's modem class decides).
    void SetReverseBits(bool on) { reverseBits_ = on; }
    // Takes up to kMaxPerCall bytes of `input`; the bytes stored in this call
    // go to the sink together before it returns.
    PageDataResult Take(std::span<const std::uint8_t> input);
    // Bytes stored since StartPage.
    std::uint64_t BytesStored() const { return stored_; }

private:
    ByteSink sink_;
    bool reverseBits_;
    bool dlePending_ = false;
    std::uint64_t stored_ = 0;
    std::vector<std::uint8_t> chunk_;
};

}  // namespace vl::fax
