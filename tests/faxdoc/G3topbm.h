// netpbm's g3topbm, an MH decoder nobody here wrote, as an oracle.
#pragma once

#include <cstdint>
#include <vector>

namespace vl::faxtest {

// Decodes an MH stream whose bytes carry their first bit in bit 0 (the APF
// order) and answers its rows of width / 8 bytes. Any decoding error fails the
// calling test.
std::vector<std::vector<std::uint8_t>> G3topbm(const std::vector<std::uint8_t>& stream, int width);

}  // namespace vl::faxtest
