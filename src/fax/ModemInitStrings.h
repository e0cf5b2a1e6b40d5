// The two initialisation strings the engine sends before a session: the
// user's ModemInit and the default string chosen by the dialling options.
#pragma once

#include <string>
#include <string_view>

namespace vl::fax {

inline constexpr std::size_t kModemInitMax = 40;

// What setting ModemInit to `value` stores: empty for an empty value;
// otherwise its first 40 characters upper-cased, with "AT" put in front when
// they do not begin with it and the result cut to 40 ("E0V1" -> "ATE0V1").
std::string ModemInitFrom(std::string_view value);

// "ATE0Q0V1X<n>S0=0S2=43": X4 with busy detection and waiting for dial tone,
// X3 busy detection only, X2 dial tone only, X1 neither.
std::string DefaultInitString(bool detectBusy, bool blindDial);

}  // namespace vl::fax
