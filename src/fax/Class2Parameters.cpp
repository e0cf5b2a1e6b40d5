#include "fax/Class2Parameters.h"

#include <algorithm>
#include <array>

namespace vl::fax {

namespace {

struct BitRate {
    char code;
    int bps;
};

constexpr std::array<BitRate, 5> kBitRates{{{'0', 2400}, {'1', 4800}, {'2', 7200}, {'4', 12000}, {'5', 14400}}};
constexpr BitRate kDefaultBitRate{'3', 9600};

constexpr std::size_t kMaxRemoteId = 20;

std::string_view AfterPrefix(std::string_view report) {
    std::size_t cut = report.find(':');
    if (cut == std::string_view::npos) cut = report.find('=');
    return cut == std::string_view::npos ? report : report.substr(cut + 1);
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsLetterOrDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The character at 1-based `position`, or '\0' past the end.
char At(std::string_view text, std::size_t position) {
    return position <= text.size() ? text[position - 1] : '\0';
}

}  // namespace

char BitRateCode(int desiredBps) {
    for (const BitRate& rate : kBitRates) {
        if (rate.bps == desiredBps) return rate.code;
    }
    return kDefaultBitRate.code;
}

int BpsForBitRateCode(char code) {
    for (const BitRate& rate : kBitRates) {
        if (rate.code == code) return rate.bps;
    }
    return kDefaultBitRate.bps;
}

SessionParams ParseSessionParams(std::string_view report) {
    const std::string_view fields = Trim(AfterPrefix(report));
    SessionParams params;
    params.fine = At(fields, 1) == '1';
    params.bps = BpsForBitRateCode(At(fields, 3));
    params.wide = At(fields, 5) == '1';
    params.ecm = At(fields, 11) == '1' || At(fields, 11) == '2';
    const char st = At(fields, 15);
    params.stCode = st >= '0' && st <= '0' + kMaxScanTimeCode ? st - '0' : 0;
    RecomputeMinBytes(params);
    return params;
}

std::string CleanRemoteId(std::string_view report) {
    std::string_view id = Trim(AfterPrefix(report));
    if (!id.empty() && id.front() == '"') id.remove_prefix(1);
    while (!id.empty() && !IsLetterOrDigit(id.back())) id.remove_suffix(1);
    id = Trim(id);
    return std::string(id.substr(0, std::min(id.size(), kMaxRemoteId)));
}

char PageStatus(std::string_view report) {
    const std::string_view rest = Trim(AfterPrefix(report));
    return rest.empty() ? '\0' : rest.front();
}

}  // namespace vl::fax
