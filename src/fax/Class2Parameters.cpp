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

// The 0-based `index`th of the values apart by commas, trimmed; empty past the end.
std::string_view Field(std::string_view fields, std::size_t index) {
    for (; index > 0; --index) {
        const std::size_t comma = fields.find(',');
        if (comma == std::string_view::npos) return {};
        fields.remove_prefix(comma + 1);
    }
    return Trim(fields.substr(0, fields.find(',')));
}

// A one-character value as that character, anything else as '\0'.
char Code(std::string_view field) { return field.size() == 1 ? field.front() : '\0'; }

enum FieldIndex : std::size_t { kVr = 0, kBr = 1, kWd = 2, kDf = 4, kEc = 5, kSt = 7 };

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

char DataFormatCode(faxdoc::PageCoding desired, bool ecm) {
    switch (desired) {
    case faxdoc::PageCoding::Mh: return '0';
    case faxdoc::PageCoding::Mr: return '1';
    case faxdoc::PageCoding::Mmr: return ecm ? '3' : '1';
    }
    return '0';
}

SessionParams ParseSessionParams(std::string_view report) {
    const std::string_view fields = AfterPrefix(report);
    SessionParams params;
    params.fine = Field(fields, kVr) == "1";
    params.bps = BpsForBitRateCode(Code(Field(fields, kBr)));
    params.wide = Field(fields, kWd) == "1";
    params.coding = ReportedCoding(report).value_or(faxdoc::PageCoding::Mh);
    params.ecm = Field(fields, kEc) == "1" || Field(fields, kEc) == "2";
    const char st = Code(Field(fields, kSt));
    params.stCode = st >= '0' && st <= '0' + kMaxScanTimeCode ? st - '0' : 0;
    RecomputeMinBytes(params);
    return params;
}

std::optional<faxdoc::PageCoding> ReportedCoding(std::string_view report) {
    const std::string_view df = Field(AfterPrefix(report), kDf);
    if (df.empty() || df == "0") return faxdoc::PageCoding::Mh;
    if (df == "1") return faxdoc::PageCoding::Mr;
    if (df == "3") return faxdoc::PageCoding::Mmr;
    return std::nullopt;
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
