// Class 1 line speeds by index (1 = 2400 ... 6 = 14400), the sets of speeds a
// modem or a remote station can use, and the choices made among them: the
// start speed and the step down after a failed training or a bad page.
#pragma once

#include <cstdint>
#include <string_view>

namespace vl::fax {

inline constexpr int kLowestSpeedIndex = 1;
inline constexpr int kHighestSpeedIndex = 6;

// The modulation texts that follow "AT+FTM=" / "AT+FRM=": long training for
// the training check (TCF), short training for page data.
struct Modulation {
    std::string_view longTraining;
    std::string_view shortTraining;
};

struct SpeedInfo {
    int bps;
    Modulation modulation;
};

// 1 2400 "24"/"24", 2 4800 "48"/"48", 3 7200 "72"/"72", 4 9600 "96"/"96",
// 5 12000 "121"/"122", 6 14400 "145"/"146". An index outside 1..6 gives the
// entry of the nearest valid index.
const SpeedInfo& SpeedAt(int index);

// Speed indexes 1..6 one side can use. 2400 and 4800 (V.27 ter) are the
// fallback every fax modem has, so indexes 1 and 2 are always present.
class SpeedSet {
public:
    SpeedSet();
    void Add(int index);  // ignored outside 1..6
    bool Has(int index) const;
    int Highest() const;
    // The highest index whose speed does not exceed `maxBps`; 1 when none.
    int HighestAtMost(int maxBps) const;
    // The highest index present in both sets below `index`; 0 when none.
    int NextLowerCommon(const SpeedSet& other, int index) const;
    // The highest index present in both sets whose speed does not exceed
    // `maxBps`; 1 when none.
    int HighestCommonAtMost(const SpeedSet& other, int maxBps) const;

    bool operator==(const SpeedSet&) const = default;

private:
    std::uint8_t bits_;
};

// The local modem's speeds from the answer to "AT+FTM=?" or "AT+FRM=?". The
// answer's modulation list is the line holding a ",", e.g.
// "24,48,72,73,74,96,97,98,121,122,145,146"; see IsModulationList. The
// numbers in it (anything but digits separates them) are compared whole:
// 72 adds index 3, 96 index 4, 121 index 5, 145 index 6.
bool IsModulationList(std::string_view line);
SpeedSet SpeedsFromModulationList(std::string_view line);

// Lowering after FTT or RTN: the next index below `current` that both sides
// support, or 0 when none is left (the fallback has failed).
int LowerSpeed(int current, const SpeedSet& local, const SpeedSet& remote);

}  // namespace vl::fax
