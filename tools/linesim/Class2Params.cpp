#include "Class2Params.h"

#include <algorithm>
#include <charconv>

namespace vl::linesim {
namespace {

constexpr int kBitRates[] = {2400, 4800, 7200, 9600, 12000, 14400};

}  // namespace

Class2Params Class2Params::ModemLimits() {
    Class2Params p;
    p.v = {1, 5, 0, 2, 0, 0, 0, 0, 0};
    return p;
}

int Class2Params::BitRate() const { return kBitRates[std::clamp(v[Br], 0, 5)]; }

const char* Class2Params::CodingName() const {
    static constexpr const char* kNames[] = {"MH", "MR", "uncompressed", "MMR"};
    return kNames[std::clamp(v[Df], 0, 3)];
}

std::optional<Class2Params> Class2Params::Updated(const std::vector<std::string>& values) const {
    if (values.size() > kFieldCount) return std::nullopt;
    Class2Params out = *this;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::string& s = values[i];
        if (s.empty()) continue;
        int n = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
        if (ec != std::errc{} || end != s.data() + s.size() || n < 0 || n > kMaxValue[i]) return std::nullopt;
        out.v[i] = n;
    }
    return out;
}

std::string Class2Params::Format(bool withJpeg) const {
    std::string s;
    const int count = withJpeg ? kFieldCount : kFieldCount - 1;
    for (int i = 0; i < count; ++i) {
        if (i) s += ',';
        s += std::to_string(v[i]);
    }
    return s;
}

std::string Class2Params::Ranges(bool withJpeg) {
    std::string s;
    const int count = withJpeg ? kFieldCount : kFieldCount - 1;
    for (int i = 0; i < count; ++i) {
        if (i) s += ',';
        s += kMaxValue[i] == 0 ? "(0)" : "(0-" + std::to_string(kMaxValue[i]) + ")";
    }
    return s;
}

Class2Params Negotiate(const Class2Params& callerWants, const Class2Params& answererOffers) {
    Class2Params p;
    for (int i = 0; i < Class2Params::kFieldCount; ++i) p.v[i] = std::min(callerWants.v[i], answererOffers.v[i]);
    // The receiver's minimum scan time is what it needs, whatever the sender wants.
    p.v[Class2Params::St] = answererOffers.v[Class2Params::St];
    int& df = p.v[Class2Params::Df];
    if (df == Class2Params::kUncompressed || (df == Class2Params::kMmr && p.v[Class2Params::Ec] == 0))
        df = Class2Params::kMr;
    return p;
}

}  // namespace vl::linesim
