// Control bytes of the modem's page-data stream.
#pragma once

#include <cstdint>

namespace vl::fax {

inline constexpr std::uint8_t kDle = 0x10;
inline constexpr std::uint8_t kEtx = 0x03;

}  // namespace vl::fax
