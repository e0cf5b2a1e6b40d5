#include "fax/Class1Speeds.h"

#include <algorithm>
#include <array>

namespace vl::fax {

namespace {

constexpr std::array<SpeedInfo, kHighestSpeedIndex> kSpeeds{{
    {2400, {"24", "24"}},
    {4800, {"48", "48"}},
    {7200, {"72", "72"}},
    {9600, {"96", "96"}},
    {12000, {"121", "122"}},
    {14400, {"145", "146"}},
}};

constexpr std::uint8_t Bit(int index) { return static_cast<std::uint8_t>(1u << index); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const SpeedInfo& SpeedAt(int index) {
    index = std::clamp(index, kLowestSpeedIndex, kHighestSpeedIndex);
    return kSpeeds[static_cast<std::size_t>(index - 1)];
}

SpeedSet::SpeedSet() : bits_(Bit(1) | Bit(2)) {}

void SpeedSet::Add(int index) {
    if (index >= kLowestSpeedIndex && index <= kHighestSpeedIndex) bits_ |= Bit(index);
}

bool SpeedSet::Has(int index) const {
    return index >= kLowestSpeedIndex && index <= kHighestSpeedIndex && (bits_ & Bit(index)) != 0;
}

int SpeedSet::Highest() const { return HighestAtMost(SpeedAt(kHighestSpeedIndex).bps); }

int SpeedSet::HighestAtMost(int maxBps) const { return HighestCommonAtMost(*this, maxBps); }

int SpeedSet::NextLowerCommon(const SpeedSet& other, int index) const {
    for (int i = std::min(index, kHighestSpeedIndex + 1) - 1; i >= kLowestSpeedIndex; --i) {
        if (Has(i) && other.Has(i)) return i;
    }
    return 0;
}

int SpeedSet::HighestCommonAtMost(const SpeedSet& other, int maxBps) const {
    for (int i = kHighestSpeedIndex; i > kLowestSpeedIndex; --i) {
        if (Has(i) && other.Has(i) && SpeedAt(i).bps <= maxBps) return i;
    }
    return kLowestSpeedIndex;
}

bool IsModulationList(std::string_view line) { return line.find(',') != std::string_view::npos; }

SpeedSet SpeedsFromModulationList(std::string_view line) {
    SpeedSet speeds;
    std::size_t pos = 0;
    while (pos < line.size()) {
        if (!IsDigit(line[pos])) {
            ++pos;
            continue;
        }
        std::size_t end = pos;
        while (end < line.size() && IsDigit(line[end])) ++end;
        const std::string_view number = line.substr(pos, end - pos);
        for (int i = kLowestSpeedIndex + 2; i <= kHighestSpeedIndex; ++i) {
            if (number == SpeedAt(i).modulation.longTraining) speeds.Add(i);
        }
        pos = end;
    }
    return speeds;
}

int LowerSpeed(int current, const SpeedSet& local, const SpeedSet& remote) {
    return local.NextLowerCommon(remote, current);
}

}  // namespace vl::fax
