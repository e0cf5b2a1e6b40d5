// The Modified Huffman code words of T.4, as the standard writes them and in the
// bit-reversed form the encoder places into LSB-first data.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vl::faxdoc {

enum class MhColor { White, Black };

// A code word as written in T.4: `bits` bits, the first of them the highest.
struct MhWrittenCode {
    std::uint16_t code;
    std::uint8_t bits;
};

// A code word reversed so that its first bit is bit 0.
struct MhCode {
    std::uint16_t code;
    std::uint8_t bits;
};

inline constexpr int kMhMaxTerminatingRun = 63;
inline constexpr int kMhMakeUpStep = 64;
inline constexpr int kMhFirstExtendedRun = 1792;
inline constexpr int kMhMaxRun = 2560;

inline constexpr MhWrittenCode kMhWrittenEol{0b000000000001, 12};
// Four fill bits and an EOL, so that the EOL ends on a byte boundary.
inline constexpr MhWrittenCode kMhWrittenAlignedEol{1, 16};

// In T.4's order: terminating codes for runs 0..63, make-up codes for
// 64..1728, extended make-up codes for 1792..2560.
std::span<const MhWrittenCode> WrittenTerminatingCodes(MhColor color);
std::span<const MhWrittenCode> WrittenMakeUpCodes(MhColor color);
std::span<const MhWrittenCode> WrittenExtendedMakeUpCodes();

MhCode Reversed(MhWrittenCode written);

struct MhCodeTables {
    std::array<MhCode, 64> whiteTerminating;
    std::array<MhCode, 64> blackTerminating;
    // Index run / 64 - 1 for runs 64..2560: the colour's own codes up to 1728,
    // the shared extended codes after.
    std::array<MhCode, kMhMaxRun / kMhMakeUpStep> whiteMakeUp;
    std::array<MhCode, kMhMaxRun / kMhMakeUpStep> blackMakeUp;
    MhCode eol;
    MhCode alignedEol;

    // run 0..63
    const MhCode& Terminating(MhColor color, int run) const {
        return color == MhColor::White ? whiteTerminating[run] : blackTerminating[run];
    }
    // run a multiple of 64 in 64..2560
    const MhCode& MakeUp(MhColor color, int run) const {
        const auto index = static_cast<std::size_t>(run / kMhMakeUpStep - 1);
        return color == MhColor::White ? whiteMakeUp[index] : blackMakeUp[index];
    }
};

// The reversed tables, built on first use.
const MhCodeTables& MhCodes();

}  // namespace vl::faxdoc
