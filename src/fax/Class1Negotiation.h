// The information bytes of the Class 1 capability frame (DIS, sent by the
// answering station) and session frame (DCS, the caller's choice), built and
// decoded. Bit meanings follow T.30: byte 2 carries "receiver fax
// operation" (0x02), the data-rate code (0x3C) and fine resolution (0x40);
// byte 3 the page width (0x03), the page length (0x0C), the minimum scan-line
// time (0x70) and "more bytes follow" (0x80). Coding and error correction:
// byte 2's 0x80 is two-dimensional coding (MR); byte 4's 0x04 error correction,
// 0x08 (DCS only) 64-byte frames, 0x40 T.6 coding (MMR).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "fax/Class1Speeds.h"
#include "fax/SessionParams.h"
#include "faxdoc/PageCoding.h"

namespace vl::fax {

using Class1Info = std::array<std::uint8_t, 4>;

// What a station takes besides MH.
struct CodingCaps {
    bool twoDim = false;  // MR
    bool t6 = false;      // MMR; only together with ecm
    bool ecm = false;

    bool operator==(const CodingCaps&) const = default;
};

// What our settings offer: codings up to `best`, error correction when
// `ecm`. MMR is not offered without error correction: one bad bit would
// spoil the rest of its page.
CodingCaps OfferedCaps(faxdoc::PageCoding best, bool ecm);

// The choice that makes the shortest call both sides take: MMR with error
// correction, else MR, else MH; error correction whenever both have it.
struct LineCoding {
    faxdoc::PageCoding coding = faxdoc::PageCoding::Mh;
    bool ecm = false;
};
LineCoding ChooseCoding(const CodingCaps& local, const CodingCaps& remote);

// DIS: 0x00; 0x02 + 0x40 (fine) + the rate code offering everything up to
// `speedIndex` + 0x80 for MR; 0xF9 (A4 and B4 width and length, no scan-time
// minimum); 0x04 for ECM + 0x40 for MMR. T.30 has no code for "up to 12000",
// so index 5 offers V.17 like index 6, and index 3 offers V.29 like index 4.
Class1Info DisInfo(int speedIndex, const CodingCaps& caps = {});

// DCS: 0x00; 0x02 + 0x40 when fine + the rate code of `speedIndex` (V.29 at
// 7200 and 9600, V.17 at 12000 and 14400) + 0x80 for MR; the scan-time bits
// that give the remote's minimum for `remoteStCode` at this resolution (none
// with ECM) + 0x88 + 0x01 when wide; 0x04 for ECM (256-byte frames) + 0x40
// for MMR.
Class1Info DcsInfo(int speedIndex, bool fine, bool wide, int remoteStCode, const LineCoding& coding = {});

struct DisResult {
    SpeedSet remote;          // what the remote can receive
    bool remoteFine = false;
    bool remoteWide = false;  // takes 2048-pixel lines
    CodingCaps remoteCaps;
    int chosenIndex = kLowestSpeedIndex;
    SessionParams params;     // page resolution and width; remote's ST code; coding and ECM
};

// A received DIS. The chosen index is the highest that both `local` and the
// remote support at no more than `desiredBps` (1 when none). Fine and wide
// are the current page's; the ST code is the remote's; coding and ECM are
// ChooseCoding's with `localCaps`. Empty when the frame has fewer than three
// information bytes.
std::optional<DisResult> DecodeDis(std::span<const std::uint8_t> info, const SpeedSet& local, int desiredBps,
                                   bool pageFine, bool pageWide, const CodingCaps& localCaps = {});

// False when the page needs fine resolution or wide paper the remote lacks.
bool RemoteTakesPage(const DisResult& dis, bool pageFine, bool pageWide);

struct DcsResult {
    int chosenIndex = kLowestSpeedIndex;
    // The training texts for the caller's modulation. They differ from
    // SpeedAt(chosenIndex) when the caller falls back within V.17 to 9600
    // ("97"/"98") or 7200 ("73"/"74").
    Modulation modulation;
    SessionParams params;
};

// A received DCS; empty when it has fewer than three information bytes.
// The coding, error correction and frame size are read as the caller set
// them: we decode whatever it sends.
std::optional<DcsResult> DecodeDcs(std::span<const std::uint8_t> info);

}  // namespace vl::fax
