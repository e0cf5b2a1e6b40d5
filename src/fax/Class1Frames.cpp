#include "fax/Class1Frames.h"

#include <algorithm>

#include "fax/Class1Negotiation.h"
#include "fax/PageEscaper.h"

namespace vl::fax {

namespace {

constexpr std::uint8_t kAddress = 0xFF;
constexpr std::uint8_t kControlFinal = 0x13;
constexpr std::uint8_t kControlNonFinal = 0x03;
constexpr std::uint8_t kFinalBit = 0x10;
constexpr std::size_t kStationIdLength = 20;

// HDLC frame check sequence (CRC-16 of ITU-T V.42 / ISO 3309, bits reflected);
// run over the frame and its check bytes it leaves this constant.
constexpr std::uint16_t kFcsGood = 0xF0B8;

std::uint16_t FcsOver(std::span<const std::uint8_t> bytes) {
    std::uint16_t crc = 0xFFFF;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) != 0 ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    return crc;
}

bool IsPadding(char c) { return c == ' ' || c == '\0'; }

}  // namespace

FrameKind RecogniseFcf(std::uint8_t fcf) {
    if ((fcf & 0xFC) == 0x40) return FrameKind::RemoteId;
    switch (fcf & 0xFE) {
        case 0x80: return FrameKind::Dis;
        case 0x82: return FrameKind::Dcs;
        case 0x84: return FrameKind::Cfr;
        case 0x44: return FrameKind::Ftt;
        case 0x8C: return FrameKind::Mcf;
        case 0x4C: return FrameKind::Rtn;
        case 0xCC: return FrameKind::Rtp;
        case 0x4E: return FrameKind::Mps;
        case 0x8E: return FrameKind::Eom;
        case 0x2E: return FrameKind::Eop;
        case 0xFA: return FrameKind::Dcn;
        case 0xBE: return FrameKind::Pps;
        case 0xBC: return FrameKind::Ppr;
        case 0x6E: return FrameKind::Rr;
        case 0xEC: return FrameKind::Rnr;
        case 0x12: return FrameKind::Ctc;
        case 0xC4: return FrameKind::Ctr;
        case 0xCE: return FrameKind::Eor;
        case 0x1C: return FrameKind::Err;
        case 0x06: return FrameKind::Fcd;
        case 0x86: return FrameKind::Rcp;
        default: return FrameKind::Other;
    }
}

std::vector<std::uint8_t> BuildFrame(std::uint8_t fcf, std::span<const std::uint8_t> info, bool final) {
    std::vector<std::uint8_t> frame{kAddress, final ? kControlFinal : kControlNonFinal, fcf};
    frame.insert(frame.end(), info.begin(), info.end());
    std::vector<std::uint8_t> out;
    out.reserve(frame.size() * 2 + 2);
    // Appending to memory cannot fail, so the escaper's codes are always 0.
    PageEscaper escaper([&out](std::span<const std::uint8_t> bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return 0;
    });
    escaper.SendBlock(frame);
    escaper.SendEndOfData();
    return out;
}

std::vector<std::uint8_t> BuildStationIdFrame(std::uint8_t fcf, std::string_view stationId) {
    stationId = stationId.substr(0, kStationIdLength);
    std::vector<std::uint8_t> info(kStationIdLength - stationId.size(), ' ');
    for (auto it = stationId.rbegin(); it != stationId.rend(); ++it) info.push_back(static_cast<std::uint8_t>(*it));
    return BuildFrame(fcf, info, false);
}

std::vector<std::uint8_t> BuildDisFrame(int speedIndex, const CodingCaps& caps) {
    return BuildFrame(fcf::kDis, DisInfo(speedIndex, caps), true);
}

std::vector<std::uint8_t> BuildDcsFrame(int speedIndex, bool fine, bool wide, int remoteStCode,
                                        const LineCoding& coding) {
    return BuildFrame(fcf::kDcs, DcsInfo(speedIndex, fine, wide, remoteStCode, coding), true);
}

std::optional<HdlcFrame> ParseFrame(std::span<const std::uint8_t> bytes) {
    auto start = std::find(bytes.begin(), bytes.end(), kAddress);
    while (start != bytes.end() && start + 1 != bytes.end() && start[1] == kAddress) ++start;
    const std::span<const std::uint8_t> frame(start, bytes.end());
    if (frame.size() < 3) return std::nullopt;
    std::size_t end = frame.size();
    if (end >= 5 && FcsOver(frame) == kFcsGood) end -= 2;
    HdlcFrame parsed;
    parsed.final = (frame[1] & kFinalBit) != 0;
    parsed.fcf = frame[2];
    parsed.info.assign(frame.begin() + 3, frame.begin() + static_cast<std::ptrdiff_t>(end));
    return parsed;
}

std::string RemoteIdFromFrame(const HdlcFrame& frame) {
    const std::size_t count = std::min(frame.info.size(), kStationIdLength);
    std::string id(frame.info.rend() - static_cast<std::ptrdiff_t>(count), frame.info.rend());
    const auto first = std::find_if_not(id.begin(), id.end(), IsPadding);
    const auto last = std::find_if_not(id.rbegin(), id.rend(), IsPadding).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace vl::fax
