#include "fax/EcmFrames.h"

#include <algorithm>

namespace vl::fax {

namespace {

constexpr std::size_t kPpsBytes = 4;  // command, page, block, frames - 1

std::uint8_t Counter(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

void FrameMap::Set(int frame)
{
    if (frame >= 0 && frame < kEcmMaxFrames)
        bytes_[static_cast<std::size_t>(frame / 8)] |= static_cast<std::uint8_t>(1u << (frame % 8));
}

bool FrameMap::Has(int frame) const
{
    return frame >= 0 && frame < kEcmMaxFrames && (bytes_[static_cast<std::size_t>(frame / 8)] >> (frame % 8) & 1) != 0;
}

int FrameMap::Count(int frames) const
{
    int count = 0;
    for (int frame = 0; frame < std::min(frames, kEcmMaxFrames); ++frame)
        count += Has(frame) ? 1 : 0;
    return count;
}

FrameMap FrameMap::FromBytes(std::span<const std::uint8_t, kBytes> bytes)
{
    FrameMap map;
    std::copy(bytes.begin(), bytes.end(), map.bytes_.begin());
    return map;
}

std::vector<std::uint8_t> BuildFcdFrame(int number, std::span<const std::uint8_t> data)
{
    std::vector<std::uint8_t> info{Counter(number)};
    info.insert(info.end(), data.begin(), data.end());
    return BuildFrame(fcf::kFcd, info, false);
}

std::vector<std::uint8_t> BuildRcpFrame()
{
    return BuildFrame(fcf::kRcp, {}, false);
}

std::vector<std::uint8_t> BuildPpsFrame(const PpsInfo& pps)
{
    const std::uint8_t info[kPpsBytes] = {pps.command, Counter(pps.page), Counter(pps.block), Counter(pps.frames - 1)};
    return BuildFrame(fcf::kPps, info, true);
}

std::vector<std::uint8_t> BuildEorFrame(std::uint8_t command)
{
    const std::uint8_t info[] = {command};
    return BuildFrame(fcf::kEor, info, true);
}

std::vector<std::uint8_t> BuildCtcFrame(int speedIndex)
{
    const Class1Info dcs = DcsInfo(speedIndex, false, false, 0);
    const std::uint8_t info[] = {dcs[0], dcs[1]};
    return BuildFrame(fcf::kCtc, info, true);
}

std::vector<std::uint8_t> BuildPprFrame(const FrameMap& map)
{
    return BuildFrame(fcf::kPpr, map.Bytes(), true);
}

std::optional<FcdFrame> ReadFcd(const HdlcFrame& frame)
{
    if (frame.info.empty())
        return std::nullopt;
    return FcdFrame{frame.info[0], std::span<const std::uint8_t>(frame.info).subspan(1)};
}

std::optional<PpsInfo> ReadPps(const HdlcFrame& frame)
{
    if (frame.info.size() < kPpsBytes)
        return std::nullopt;
    return PpsInfo{static_cast<std::uint8_t>(frame.info[0] & 0xFE), frame.info[1], frame.info[2], frame.info[3] + 1};
}

std::optional<FrameMap> ReadPpr(const HdlcFrame& frame)
{
    if (frame.info.size() < FrameMap::kBytes)
        return std::nullopt;
    return FrameMap::FromBytes(std::span<const std::uint8_t, FrameMap::kBytes>(frame.info.data(), FrameMap::kBytes));
}

}  // namespace vl::fax
