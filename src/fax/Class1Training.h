// The Class 1 training check (TCF): how many zero bytes a sender sends after
// the DCS, and the receiver's count of what arrived and its verdict.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vl::fax {

// (bps / 100) x 18 zero bytes, about 1.5 s of line time, at most 8192.
std::size_t TcfLength(int bps);

// Counts the training bytes a modem passes after "AT+FRM=" up to DLE ETX.
// DLE DLE is one data byte 0x10 (non-zero); DLE and any other byte count as
// that byte. Once DLE ETX has been seen, further bytes are ignored.
class TrainingCheck {
public:
    void Reset();
    // Counts one byte; true once the sequence has ended (DLE ETX).
    bool Take(std::uint8_t byte);
    bool Ended() const { return ended_; }
    std::size_t Total() const { return total_; }
    std::size_t NonZero() const { return nonZero_; }
    // Training is good when fewer than 10 % of the bytes are non-zero; a
    // sequence without bytes is not.
    bool Accepted() const;

private:
    std::size_t total_ = 0;
    std::size_t nonZero_ = 0;
    bool afterDle_ = false;
    bool ended_ = false;
};

}  // namespace vl::fax
