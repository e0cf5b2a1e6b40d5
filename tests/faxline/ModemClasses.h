// The modem classes the engine's calls are made in, as test parameters: the
// linesim endpoint, efax's class option and the engine's class.
#pragma once

#include <string>

#include "fax/FaxCodes.h"

namespace vl::test {

struct ModemClass {
    const char* endpoint;  // linesim's endpoint kind
    const char* efax;      // efax's -o option
    int faxClass;
};

inline constexpr ModemClass kClass1Modem{"class1", "1", fax::kClass1};
inline constexpr ModemClass kClass2Modem{"class2", "2", fax::kClass2};
inline constexpr ModemClass kClass20Modem{"class2.0", "0", fax::kClass2_0};

// A test name for the class: the endpoint without its dot.
inline std::string ModemClassName(const ModemClass& modem)
{
    std::string name = modem.endpoint;
    std::erase(name, '.');
    return name;
}

}  // namespace vl::test
