// The Class 2 and Class 2.0 modem reports the engine reads, and the bit-rate
// code it writes into capability commands. Each report is a line such as
// "+FDCS:1,5,0,2,0,0,0,3"; its prefix is everything up to and including the
// first ":" (or, in a line without one, the first "=").
#pragma once

#include <string>
#include <string_view>

#include "fax/SessionParams.h"

namespace vl::fax {

// The bit-rate code for `desiredBps`: 2400 '0', 4800 '1', 7200 '2',
// 12000 '4', 14400 '5', anything else '3' (9600).
char BitRateCode(int desiredBps);
// The line speed of a bit-rate code: '0' 2400, '1' 4800, '2' 7200,
// '4' 12000, '5' 14400, anything else 9600.
int BpsForBitRateCode(char code);

// A remote capabilities report ("+FDIS:", "+FIS:") or session parameters
// report ("+FDCS:", "+FCS:"). The rest after the prefix, trimmed, is read at
// positions 1 (fine when "1"), 3 (bit-rate code), 5 (wide when "1"),
// 11 (ECM when "1" or "2") and 15 (ST code); for a capabilities report fine
// and wide say what the remote supports. A position the report does not
// reach reads as the default: normal, 9600, not wide, no ECM, ST code 0, as
// does an ST code outside 0..7.
SessionParams ParseSessionParams(std::string_view report);

// A transmitting- or called-station ID report ("+FTSI:", "+FCSI:", "+FTI:",
// "+FCI:"): the rest after the prefix, trimmed, a leading double quote
// dropped, trailing characters that are not ASCII letters or digits dropped,
// trimmed again, at most 20 characters.
std::string CleanRemoteId(std::string_view report);

// The first character after the prefix (and any blanks) of a page-status
// report ("+FPTS:", "+FPS:"); '\0' when there is none.
char PageStatus(std::string_view report);

}  // namespace vl::fax
