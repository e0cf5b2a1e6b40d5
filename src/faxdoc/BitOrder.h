// Fax data travels with the first bit of each byte in bit 0 (APF files, class 2
// modems); PDF, TIFF with FillOrder 1 and class 1 modems want it in bit 7.
#pragma once

#include <array>
#include <cstdint>

namespace vl::faxdoc {

inline constexpr std::array<std::uint8_t, 256> kReversedBits = [] {
    std::array<std::uint8_t, 256> table{};
    for (unsigned value = 0; value < 256; ++value) {
        unsigned reversed = 0;
        for (unsigned bit = 0; bit < 8; ++bit)
            if (value & 1u << bit) reversed |= 0x80u >> bit;
        table[value] = static_cast<std::uint8_t>(reversed);
    }
    return table;
}();

}  // namespace vl::faxdoc
