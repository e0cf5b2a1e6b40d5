// Class 1 HDLC frames: the frame control fields (FCF) the engine sends and
// recognises, the bytes of a frame for "AT+FTH=3", and the reading of a frame
// a modem delivered after "AT+FRH=3".
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fax/Class1Negotiation.h"

namespace vl::fax {

// FCF values as sent. The low bit is T.30's X bit (set by the calling
// station), ignored when frames are recognised.
namespace fcf {
inline constexpr std::uint8_t kCsi = 0x40;
inline constexpr std::uint8_t kTsi = 0x43;
inline constexpr std::uint8_t kDis = 0x80;
inline constexpr std::uint8_t kDcs = 0x83;
inline constexpr std::uint8_t kCfr = 0x84;
inline constexpr std::uint8_t kFtt = 0x44;
inline constexpr std::uint8_t kMcf = 0x8C;
inline constexpr std::uint8_t kMps = 0x4F;
inline constexpr std::uint8_t kEom = 0x8F;
inline constexpr std::uint8_t kEop = 0x2F;
inline constexpr std::uint8_t kDcn = 0xFB;
// Error correction (T.30 Annex A): the sender's commands, the receiver's
// answers, and the two frames of a block, which carry no X bit.
inline constexpr std::uint8_t kPps = 0xBF;
inline constexpr std::uint8_t kPpr = 0xBC;
inline constexpr std::uint8_t kRr = 0x6F;
inline constexpr std::uint8_t kRnr = 0xEC;
inline constexpr std::uint8_t kCtc = 0x13;
inline constexpr std::uint8_t kCtr = 0xC4;
inline constexpr std::uint8_t kEor = 0xCF;
inline constexpr std::uint8_t kErr = 0x1C;
inline constexpr std::uint8_t kFcd = 0x06;
inline constexpr std::uint8_t kRcp = 0x86;
}  // namespace fcf

enum class FrameKind {
    RemoteId,  // CSI or TSI (0x40..0x43)
    Dis,
    Dcs,
    Cfr,
    Ftt,
    Mcf,
    Rtn,
    Rtp,
    Mps,
    Eom,
    Eop,
    Dcn,
    Pps,
    Ppr,
    Rr,
    Rnr,
    Ctc,
    Ctr,
    Eor,
    Err,
    Fcd,
    Rcp,
    Other,
};

FrameKind RecogniseFcf(std::uint8_t fcf);

// The bytes for the modem: 0xFF, 0x13 (final) or 0x03, the FCF and `info`,
// each DLE doubled since the modem reads DLE as an escape in frame data too,
// then DLE ETX.
std::vector<std::uint8_t> BuildFrame(std::uint8_t fcf, std::span<const std::uint8_t> info, bool final);

// TSI or CSI, non-final: 20 bytes of blanks, one per character the ID is
// shorter than 20, then the ID from its last character to its first. Only
// the first 20 characters of a longer ID are sent.
std::vector<std::uint8_t> BuildStationIdFrame(std::uint8_t fcf, std::string_view stationId);

// The final DIS and DCS frames (information bytes: Class1Negotiation.h).
std::vector<std::uint8_t> BuildDisFrame(int speedIndex, const CodingCaps& caps = {});
std::vector<std::uint8_t> BuildDcsFrame(int speedIndex, bool fine, bool wide, int remoteStCode,
                                        const LineCoding& coding = {});

struct HdlcFrame {
    bool final = false;
    std::uint8_t fcf = 0;
    std::vector<std::uint8_t> info;  // without the check bytes
};

// A frame as the response collector gathers it: DLE pairs already undone and
// DLE ETX removed. Bytes before the address byte are dropped (the frame starts
// at the last 0xFF of the first run of them); the final flag is bit 0x10 of
// the control byte. When the last two bytes are the frame's valid check
// sequence (many modems pass it on), they are not part of the information.
// Empty when no address, control and FCF bytes are there.
std::optional<HdlcFrame> ParseFrame(std::span<const std::uint8_t> bytes);

// The remote station ID of a CSI or TSI: its first 20 information bytes (fewer
// when the frame is shorter) in reverse order, without the blanks (or NULs)
// that pad it on either side.
std::string RemoteIdFromFrame(const HdlcFrame& frame);

}  // namespace vl::fax
