// The rules of the init-string helper: which modem type and hang-up box a
// current init string suggests, and the string a choice of modem type makes.
#pragma once

#include <string>
#include <string_view>

namespace vl::app {

// The helper's results.
inline constexpr int kInitHelperOk = 1;
inline constexpr int kInitHelperCancel = 2;
inline constexpr int kInitHelperBlank = -99;

// The modem types, items 1 to 6 of the "I have a:" choice.
inline constexpr int kFirstModemType = 1;
inline constexpr int kLastModemType = 6;

// The choice's text for item 1..6 (a doubled "&" shows as one), empty
// outside.
std::string_view ModemTypeText(int item);

// The box for modems that hang up too early: ticked when "S7=" sets a wait
// above 90 seconds where the string holds "&H3", above 65 otherwise.
bool HangUpBoxTicked(std::string_view initString);
// The modem type the string was made for, first match wins; 1 when none.
int ModemTypeItem(std::string_view initString);

// The string for modem type `item` (1..6): its base, the wait part and its
// suffix.
std::string InitStringFor(int item, bool sending, bool hangUpBox);
// What goes into the edit box for the button result: Ok the string made
// from the choice, Leave it Blank nothing, Cancel `current` unchanged.
std::string InitStringResult(int result, const std::string& current, int item, bool sending, bool hangUpBox);

}  // namespace vl::app
