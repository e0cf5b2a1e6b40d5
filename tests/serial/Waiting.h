// Waiting in tests: for a condition, for a message loop to deliver, for bytes
// to reach a serial device.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "base/MessageWindow.h"
#include "serial/SerialDevice.h"

namespace vl::test {

// Polls `done` every millisecond; false once `timeout` passed without it.
bool WaitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// The same, running `loop` between the polls.
bool PumpUntil(base::MessageLoop& loop, const std::function<bool()>& done,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
// Reads until `count` bytes arrived or `timeout` passed.
std::string ReadUntil(serial::SerialDevice& device, std::size_t count,
                      std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

}  // namespace vl::test
