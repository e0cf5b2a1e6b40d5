#include "fax/ModemInitStrings.h"

#include "base/TextCase.h"

namespace vl::fax {

std::string ModemInitFrom(std::string_view value) {
    if (value.empty()) return {};
    std::string init = base::UpperAscii(value.substr(0, kModemInitMax));
    if (init.rfind("AT", 0) != 0) init = ("AT" + init).substr(0, kModemInitMax);
    return init;
}

std::string DefaultInitString(bool detectBusy, bool blindDial) {
    char level = detectBusy ? (blindDial ? '3' : '4') : (blindDial ? '1' : '2');
    return std::string("ATE0Q0V1X") + level + "S0=0S2=43";
}

}  // namespace vl::fax
