#include "fax/Class1Negotiation.h"

#include <algorithm>

namespace vl::fax {

namespace {

// Byte 2.
constexpr std::uint8_t kReceiverOperation = 0x02;
constexpr std::uint8_t kFine = 0x40;
constexpr std::uint8_t kRateMask = 0x3C;
constexpr std::uint8_t kRateV29 = 0x04;
constexpr std::uint8_t kRateV27 = 0x08;
constexpr std::uint8_t kRateV33 = 0x10;
constexpr std::uint8_t kRateV17 = 0x20;
constexpr std::uint8_t kTwoDim = 0x80;

// Byte 3.
constexpr std::uint8_t kDisByte3 = 0xF9;
constexpr std::uint8_t kDcsLengthAndExtend = 0x88;
constexpr std::uint8_t kWidthMask = 0x03;
constexpr std::uint8_t kWidthB4 = 0x01;
constexpr std::uint8_t kWidthA3 = 0x02;  // DIS only: A4, B4 and A3
constexpr std::uint8_t kScanTimeMask = 0x70;

// Byte 4.
constexpr std::uint8_t kEcm = 0x04;
constexpr std::uint8_t kEcmFrames64 = 0x08;
constexpr std::uint8_t kT6 = 0x40;

// By speed index 1..6. A DIS names the modulation families the receiver has;
// a DCS names one modulation and rate: V.27 ter 2400 and 4800, V.29 7200 and
// 9600, V.17 12000 (V.17 with the 4800 bit) and 14400 (V.17 alone).
constexpr std::array<std::uint8_t, kHighestSpeedIndex> kDisRates{
    0x00, kRateV27, kRateV27 | kRateV29, kRateV27 | kRateV29, kRateV17 | kRateV27 | kRateV29,
    kRateV17 | kRateV27 | kRateV29,
};
constexpr std::array<std::uint8_t, kHighestSpeedIndex> kDcsRates{
    0x00, kRateV27, kRateV27 | kRateV29, kRateV29, kRateV17 | kRateV27, kRateV17,
};

// The DCS rate codes that V.17 adds below 12000; they need V.17 training.
struct V17Fallback {
    std::uint8_t code;
    int index;
    Modulation modulation;
};
constexpr std::array<V17Fallback, 2> kV17Fallbacks{{
    {kRateV17 | kRateV29, 4, {"97", "98"}},
    {kRateV17 | kRateV27 | kRateV29, 3, {"73", "74"}},
}};

// DCS scan-time bits by ST code, (normal, fine).
constexpr std::array<std::array<std::uint8_t, 2>, kMaxScanTimeCode + 1> kDcsScanBits{{
    {0x70, 0x70}, {0x10, 0x10}, {0x20, 0x10}, {0x20, 0x20},
    {0x00, 0x20}, {0x00, 0x00}, {0x40, 0x00}, {0x40, 0x40},
}};

// ST code by scan-time bits >> 4.
constexpr std::array<int, 8> kStCodeOfScanBits{5, 1, 3, 4, 7, 6, 2, 0};

std::size_t RateSlot(int speedIndex) {
    return static_cast<std::size_t>(std::clamp(speedIndex, kLowestSpeedIndex, kHighestSpeedIndex) - 1);
}

int StCodeOf(std::uint8_t byte3) { return kStCodeOfScanBits[(byte3 & kScanTimeMask) >> 4]; }

struct RateChoice {
    int index;
    Modulation modulation;
};

RateChoice DcsRateChoice(std::uint8_t rate) {
    for (const V17Fallback& fallback : kV17Fallbacks) {
        if (fallback.code == rate) return {fallback.index, fallback.modulation};
    }
    for (int i = kLowestSpeedIndex; i <= kHighestSpeedIndex; ++i) {
        if (kDcsRates[RateSlot(i)] == rate) return {i, SpeedAt(i).modulation};
    }
    // Only V.33 codes are left, which no Class 1 modem speaks.
    const int index = (rate & kRateV17) != 0 ? 6 : 5;
    return {index, SpeedAt(index).modulation};
}

CodingCaps CapsOf(std::uint8_t byte2, std::uint8_t byte4) {
    CodingCaps caps;
    caps.twoDim = (byte2 & kTwoDim) != 0;
    caps.ecm = (byte4 & kEcm) != 0;
    caps.t6 = caps.ecm && (byte4 & kT6) != 0;
    return caps;
}

}  // namespace

CodingCaps OfferedCaps(faxdoc::PageCoding best, bool ecm) {
    CodingCaps caps;
    caps.twoDim = best != faxdoc::PageCoding::Mh;
    caps.ecm = ecm;
    caps.t6 = ecm && best == faxdoc::PageCoding::Mmr;
    return caps;
}

LineCoding ChooseCoding(const CodingCaps& local, const CodingCaps& remote) {
    LineCoding choice;
    choice.ecm = local.ecm && remote.ecm;
    if (choice.ecm && local.t6 && remote.t6)
        choice.coding = faxdoc::PageCoding::Mmr;
    else if (local.twoDim && remote.twoDim)
        choice.coding = faxdoc::PageCoding::Mr;
    return choice;
}

Class1Info DisInfo(int speedIndex, const CodingCaps& caps) {
    const std::uint8_t byte2 = static_cast<std::uint8_t>(kReceiverOperation | kFine | kDisRates[RateSlot(speedIndex)] |
                                                         (caps.twoDim ? kTwoDim : 0));
    const std::uint8_t byte4 = static_cast<std::uint8_t>((caps.ecm ? kEcm : 0) | (caps.ecm && caps.t6 ? kT6 : 0));
    return {0x00, byte2, kDisByte3, byte4};
}

Class1Info DcsInfo(int speedIndex, bool fine, bool wide, int remoteStCode, const LineCoding& coding) {
    // With error correction no line needs to last any time.
    const std::size_t st =
        coding.ecm ? 0 : static_cast<std::size_t>(std::clamp(remoteStCode, 0, kMaxScanTimeCode));
    const bool twoDim = coding.coding == faxdoc::PageCoding::Mr;
    const bool t6 = coding.ecm && coding.coding == faxdoc::PageCoding::Mmr;
    const std::uint8_t rate = static_cast<std::uint8_t>(kReceiverOperation | (fine ? kFine : 0) |
                                                        kDcsRates[RateSlot(speedIndex)] | (twoDim ? kTwoDim : 0));
    const std::uint8_t page =
        static_cast<std::uint8_t>(kDcsScanBits[st][fine ? 1 : 0] | kDcsLengthAndExtend | (wide ? kWidthB4 : 0));
    const std::uint8_t byte4 = static_cast<std::uint8_t>((coding.ecm ? kEcm : 0) | (t6 ? kT6 : 0));
    return {0x00, rate, page, byte4};
}

std::optional<DisResult> DecodeDis(std::span<const std::uint8_t> info, const SpeedSet& local, int desiredBps,
                                   bool pageFine, bool pageWide, const CodingCaps& localCaps) {
    if (info.size() < 3) return std::nullopt;
    const std::uint8_t r = info[1];
    const std::uint8_t s = info[2];
    DisResult dis;
    if ((r & kRateV17) != 0) {
        dis.remote.Add(5);
        dis.remote.Add(6);
    }
    if ((r & kRateV33) != 0) dis.remote.Add(5);
    if ((r & kRateV29) != 0) {
        dis.remote.Add(3);
        dis.remote.Add(4);
    }
    dis.chosenIndex = local.HighestCommonAtMost(dis.remote, desiredBps);
    dis.remoteFine = (r & kFine) != 0;
    dis.remoteWide = (s & kWidthMask) == kWidthB4 || (s & kWidthMask) == kWidthA3;
    dis.params.fine = pageFine;
    dis.params.wide = pageWide;
    dis.params.bps = SpeedAt(dis.chosenIndex).bps;
    dis.params.stCode = StCodeOf(s);
    dis.remoteCaps = CapsOf(r, info.size() > 3 ? info[3] : 0);
    const LineCoding choice = ChooseCoding(localCaps, dis.remoteCaps);
    dis.params.coding = choice.coding;
    dis.params.ecm = choice.ecm;
    // Frames carry the lines with error correction: no line has a time to last.
    if (choice.ecm)
        dis.params.stCode = 0;
    RecomputeMinBytes(dis.params);
    return dis;
}

bool RemoteTakesPage(const DisResult& dis, bool pageFine, bool pageWide) {
    return (!pageFine || dis.remoteFine) && (!pageWide || dis.remoteWide);
}

std::optional<DcsResult> DecodeDcs(std::span<const std::uint8_t> info) {
    if (info.size() < 3) return std::nullopt;
    const std::uint8_t r = info[1];
    const std::uint8_t s = info[2];
    const RateChoice choice = DcsRateChoice(r & kRateMask);
    DcsResult dcs;
    dcs.chosenIndex = choice.index;
    dcs.modulation = choice.modulation;
    dcs.params.fine = (r & kFine) != 0;
    dcs.params.wide = (s & kWidthMask) == kWidthB4;
    dcs.params.bps = SpeedAt(dcs.chosenIndex).bps;
    dcs.params.stCode = StCodeOf(s);
    const std::uint8_t byte4 = info.size() > 3 ? info[3] : 0;
    dcs.params.ecm = (byte4 & kEcm) != 0;
    dcs.params.ecmFrameBytes = (byte4 & kEcmFrames64) != 0 ? 64 : 256;
    if ((byte4 & kT6) != 0)
        dcs.params.coding = faxdoc::PageCoding::Mmr;
    else if ((r & kTwoDim) != 0)
        dcs.params.coding = faxdoc::PageCoding::Mr;
    RecomputeMinBytes(dcs.params);
    return dcs;
}

}  // namespace vl::fax
