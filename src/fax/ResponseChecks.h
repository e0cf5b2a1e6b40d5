// The tests the engine makes on a modem response line. All are "contains"
// tests, so a response such as "+FHNG:0 OK" or "NO CARRIER" with extra text
// still counts; text in double quotes (a far station's ID) is never looked
// at.
#pragma once

#include <string_view>

namespace vl::fax {

bool HasOk(std::string_view response);
bool HasConnect(std::string_view response);
// Searches for "RRIER", which a garbled "NO CA" still leaves.
bool HasNoCarrier(std::string_view response);
bool HasError(std::string_view response);
// `reportName` is the class's hang-up report name without "+" ("FHNG", "FHS").
bool HasHangupReport(std::string_view response, std::string_view reportName);

// The hang-up code of a report such as "+FHNG:50" or "+FHS: 100": the decimal
// number after the first ":", blanks after the colon skipped, at most three
// digits read. 0 when there is no colon or no digit follows it.
int HangupCode(std::string_view response);

// What a response line says, decided once so that a state looks at one value.
enum class ModemReply { Ok, Connect, NoCarrier, Error, Hangup, Busy, NoAnswer, Voice, NoDialTone, Other };

// The class of `response` by the contains tests above; a line that carries
// more than one word takes the first of: error, hang-up report (`reportName`,
// empty for Class 1), OK, CONNECT, BUSY, "ANSWER", VOICE or VCON, NO DIAL,
// no carrier.
ModemReply ClassifyReply(std::string_view response, std::string_view reportName);

}  // namespace vl::fax
