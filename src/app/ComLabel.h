// How the modem tools name a COM number: "Com 3 (/dev/ttyS0)", so that the
// user sees which device each number stands for.
#pragma once

#include <string>

namespace vl::app {

// "Com n (device)", or "Com n" when the number maps to no device.
std::string ComLabel(int comNumber, const std::string& device);

}  // namespace vl::app
