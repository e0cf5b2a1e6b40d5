// Control bytes of the modem's page-data stream.
#pragma once

#include <cstdint>

namespace vl::fax {

inline constexpr std::uint8_t kDle = 0x10;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kXon = 0x11;  // Class 2: the modem is ready for page data
inline constexpr std::uint8_t kDc2 = 0x12;  // Classes 2 and 2.0: the computer is ready for page data

}  // namespace vl::fax
