// The Class 2 and Class 2.0 modem reports the engine reads, and the bit-rate
// code it writes into capability commands. Each report is a line such as
// "+FDCS:1,5,0,2,0,0,0,3"; its prefix is everything up to and including the
// first ":" (or, in a line without one, the first "=").
#pragma once

#include <optional>
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

// The data-format code for the best coding offered: '0' MH, '1' MR, '3' MMR.
// MMR goes only with error correction; without it MR is the best.
char DataFormatCode(faxdoc::PageCoding desired, bool ecm);

// A remote capabilities report ("+FDIS:", "+FIS:") or session parameters
// report ("+FDCS:", "+FCS:"). The rest after the prefix is read as values
// apart by commas, each trimmed: the first (fine when "1"), the second
// (bit-rate code), the third (wide when "1"), the fifth (data format, as
// ReportedCoding reads it, MH when it is none of those), the sixth (ECM when
// "1" or "2") and the eighth (ST code); for a capabilities report they say
// what the remote supports. A value the report does not reach reads as the
// default: normal, 9600, not wide, MH, no ECM, ST code 0, as does an ST code
// outside 0..7.
SessionParams ParseSessionParams(std::string_view report);

// The coding of a report's data format (its fifth value): "0" or none MH, "1"
// MR, "3" MMR. Nothing for uncompressed ("2") or any other value: page data
// in it cannot be carried.
std::optional<faxdoc::PageCoding> ReportedCoding(std::string_view report);

// A transmitting- or called-station ID report ("+FTSI:", "+FCSI:", "+FTI:",
// "+FCI:"): the rest after the prefix, trimmed, a leading double quote
// dropped, trailing characters that are not ASCII letters or digits dropped,
// trimmed again, at most 20 characters.
std::string CleanRemoteId(std::string_view report);

// The first character after the prefix (and any blanks) of a page-status
// report ("+FPTS:", "+FPS:"); '\0' when there is none.
char PageStatus(std::string_view report);

}  // namespace vl::fax
