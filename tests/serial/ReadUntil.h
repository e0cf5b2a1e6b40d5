// Collecting what a serial device receives, for tests.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

#include "serial/SerialDevice.h"

namespace vl::test {

// Reads until `count` bytes arrived or `timeout` passed.
std::string ReadUntil(serial::SerialDevice& device, std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

}  // namespace vl::test
