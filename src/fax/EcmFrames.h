// The frames of error correction (T.30 Annex A) as the Class 1 engine sends
// and reads them: FCD frames carry a block's page bytes with their number,
// RCP ends a block, PPS tells the receiver what the block held and what
// follows it, PPR answers with the map of the frames to send again, CTC asks
// to go on correcting at a new speed, EOR gives up on a block.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "fax/Class1Frames.h"

namespace vl::fax {

// Most frames in one block; the frame numbers of a block are 0..255.
inline constexpr int kEcmMaxFrames = 256;

// One bit per frame number, set for a frame that is missing or bad. Frame n
// is bit n % 8 (value 1 << (n % 8)) of byte n / 8: the first bit on the line
// is frame 0.
class FrameMap {
public:
    static constexpr std::size_t kBytes = kEcmMaxFrames / 8;

    void Set(int frame);
    bool Has(int frame) const;
    // Marked frames below `frames` (frames past a block's end do not count).
    int Count(int frames = kEcmMaxFrames) const;
    const std::array<std::uint8_t, kBytes>& Bytes() const { return bytes_; }
    static FrameMap FromBytes(std::span<const std::uint8_t, kBytes> bytes);

    bool operator==(const FrameMap&) const = default;

private:
    std::array<std::uint8_t, kBytes> bytes_{};
};

// What a PPS says: the command the block ends with (MPS, EOM, EOP, or 0 for
// a block that is not its page's last), the page and block counters (modulo
// 256, from 0) and the block's frame count (1..256).
struct PpsInfo {
    std::uint8_t command = 0;
    int page = 0;
    int block = 0;
    int frames = 1;

    bool operator==(const PpsInfo&) const = default;
};

// For "AT+FTH=<page modulation>": FCD with the frame number and `data`, and
// RCP; both non-final, DLE doubled, DLE ETX.
std::vector<std::uint8_t> BuildFcdFrame(int number, std::span<const std::uint8_t> data);
std::vector<std::uint8_t> BuildRcpFrame();

// The final PPS; EOR, with the same command byte (0 for a block inside
// its page); CTC, with the first two DCS bytes of the new speed.
std::vector<std::uint8_t> BuildPpsFrame(const PpsInfo& pps);
std::vector<std::uint8_t> BuildEorFrame(std::uint8_t command);
std::vector<std::uint8_t> BuildCtcFrame(int speedIndex);
// The receiver's PPR with its map.
std::vector<std::uint8_t> BuildPprFrame(const FrameMap& map);

// A received FCD's frame number and data; empty for a frame too short.
struct FcdFrame {
    int number = 0;
    std::span<const std::uint8_t> data;
};
std::optional<FcdFrame> ReadFcd(const HdlcFrame& frame);
// A PPS's fields (the command's X bit cleared); empty when short.
std::optional<PpsInfo> ReadPps(const HdlcFrame& frame);
// A PPR's map; empty when it holds fewer than 32 bytes.
std::optional<FrameMap> ReadPpr(const HdlcFrame& frame);

}  // namespace vl::fax
