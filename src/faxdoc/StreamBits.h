// The unread bits of a fax stream in one 64-bit word, the next bit in bit 0,
// topped up from input bytes whose first bit is bit 0. The decoders keep a
// local copy in their loops so that it stays in registers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace vl::faxdoc {

struct StreamBits {
    std::uint64_t bits = 0;
    int available = 0;
    int zeros = 0;  // 0 bits since the last 1 bit, up to the read position

    // 0 bits before the next 1 bit, or all available bits when none is in view.
    int ZerosAhead() const { return bits == 0 ? available : std::countr_zero(bits); }

    void Consume(int count) {
        const std::uint64_t taken = count == 64 ? bits : bits & ((std::uint64_t{1} << count) - 1);
        if (taken == 0) {
            zeros += count;
        } else {
            zeros = count - 1 - (63 - std::countl_zero(taken));
        }
        bits = count == 64 ? 0 : bits >> count;
        available -= count;
    }

    // A code of `count` bits (fewer than 64) whose trailing zeros are known.
    void Take(int count, int trailingZeros) {
        bits >>= count;
        available -= count;
        zeros = trailingZeros;
    }

    // Tops up to more than 56 bits, or as far as the input goes.
    void Refill(std::span<const std::uint8_t>& input) {
        const int room = (64 - available) / 8;
        if constexpr (std::endian::native == std::endian::little) {
            // As many whole bytes as fit, in one load: the stream's first byte
            // lands lowest, as the bit order needs.
            if (input.size() >= 8) {
                std::uint64_t word;
                std::memcpy(&word, input.data(), sizeof word);
                if (room < 8) word &= (std::uint64_t{1} << (room * 8)) - 1;
                bits |= word << available;
                available += room * 8;
                input = input.subspan(static_cast<std::size_t>(room));
                return;
            }
        }
        while (available <= 56 && !input.empty()) {
            bits |= std::uint64_t{input.front()} << available;
            available += 8;
            input = input.subspan(1);
        }
    }
};

}  // namespace vl::faxdoc
