// Where the engine's byte streams go: the port's put-block on the sending side,
// the receive file on the receiving side. A sink answers 0 or a negative code.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

namespace vl::fax {

using ByteSink = std::function<int(std::span<const std::uint8_t>)>;

}  // namespace vl::fax
