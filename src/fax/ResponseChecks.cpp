#include "fax/ResponseChecks.h"

namespace vl::fax {

namespace {

// Quoted text is the far station's: an ID such as +FTSI:"TERROR OK" names
// no result. From the first quote to the last, so a quote inside the ID
// hides nothing.
bool Contains(std::string_view text, std::string_view part) {
    const std::size_t open = text.find('"');
    if (open == std::string_view::npos) return text.find(part) != std::string_view::npos;
    const std::size_t close = text.rfind('"');
    return text.substr(0, open).find(part) != std::string_view::npos ||
           (close > open && text.substr(close + 1).find(part) != std::string_view::npos);
}

}  // namespace

bool HasOk(std::string_view response) { return Contains(response, "OK"); }
bool HasConnect(std::string_view response) { return Contains(response, "CONNECT"); }
bool HasNoCarrier(std::string_view response) { return Contains(response, "RRIER"); }
bool HasError(std::string_view response) { return Contains(response, "ERROR"); }

bool HasHangupReport(std::string_view response, std::string_view reportName) {
    return !reportName.empty() && Contains(response, reportName);
}

ModemReply ClassifyReply(std::string_view response, std::string_view reportName) {
    if (HasError(response)) return ModemReply::Error;
    if (HasHangupReport(response, reportName)) return ModemReply::Hangup;
    if (HasOk(response)) return ModemReply::Ok;
    if (HasConnect(response)) return ModemReply::Connect;
    if (Contains(response, "BUSY")) return ModemReply::Busy;
    if (Contains(response, "ANSWER")) return ModemReply::NoAnswer;
    if (Contains(response, "VOICE") || Contains(response, "VCON")) return ModemReply::Voice;
    if (Contains(response, "NO DIAL")) return ModemReply::NoDialTone;
    if (HasNoCarrier(response)) return ModemReply::NoCarrier;
    return ModemReply::Other;
}

int HangupCode(std::string_view response) {
    std::size_t pos = response.find(':');
    if (pos == std::string_view::npos) return 0;
    ++pos;
    // Some modems put a blank after the colon; counting it among the three
    // characters would cut "100" to "10".
    while (pos < response.size() && response[pos] == ' ') ++pos;
    int code = 0;
    for (int digits = 0; digits < 3 && pos < response.size(); ++digits, ++pos) {
        char c = response[pos];
        if (c < '0' || c > '9') break;
        code = code * 10 + (c - '0');
    }
    return code;
}

}  // namespace vl::fax
