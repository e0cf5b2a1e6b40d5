// Places reversed MH code words into a line buffer, LSB first, by shift and OR.
// A stream longer than the buffer is taken out in whole bytes as it grows.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {

class BitWriter {
public:
    // A line of at most 2048 pixels codes to well under this: no run costs more
    // than 6 bits a pixel, and the EOL and a margin run add a few bytes.
    static constexpr std::size_t kCapacity = 4096;

    // Starts a new record: clears the bytes the previous one used.
    void Reset() {
        std::fill_n(buffer_.begin(), byteIndex_ + 1, std::uint8_t{0});
        byteIndex_ = 0;
        bitIndex_ = 0;
    }

    // A code of up to 16 bits at a bit offset of up to 7 touches three bytes.
    void Put(MhCode code) {
        const std::uint32_t shifted = static_cast<std::uint32_t>(code.code) << bitIndex_;
        buffer_[byteIndex_] |= static_cast<std::uint8_t>(shifted);
        buffer_[byteIndex_ + 1] |= static_cast<std::uint8_t>(shifted >> 8);
        buffer_[byteIndex_ + 2] |= static_cast<std::uint8_t>(shifted >> 16);
        const unsigned end = bitIndex_ + code.bits;
        byteIndex_ += end / 8;
        bitIndex_ = end % 8;
    }

    // The record: zero bits to the end of the byte holding the next free bit,
    // then one more zero byte.
    std::span<const std::uint8_t> Record() const { return {buffer_.data(), byteIndex_ + 2}; }

    // The bytes whose every bit is placed, and the bits placed after them.
    std::span<const std::uint8_t> WholeBytes() const { return {buffer_.data(), byteIndex_}; }
    unsigned PartialBits() const { return bitIndex_; }
    // Drops the whole bytes once taken out; the partial byte moves to the front.
    void DropWholeBytes() {
        const std::uint8_t partial = buffer_[byteIndex_];
        std::fill_n(buffer_.begin(), byteIndex_ + 1, std::uint8_t{0});
        buffer_[0] = partial;
        byteIndex_ = 0;
    }

private:
    std::array<std::uint8_t, kCapacity> buffer_{};
    std::size_t byteIndex_ = 0;
    unsigned bitIndex_ = 0;
};

}  // namespace vl::faxdoc
