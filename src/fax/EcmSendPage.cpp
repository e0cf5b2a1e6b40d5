#include "fax/EcmSendPage.h"

#include <algorithm>

#include "fax/EcmFrames.h"

namespace vl::fax {

void EcmSendPage::Start(int frameBytes)
{
    bytes_.clear();
    frameBytes_ = frameBytes == 64 ? 64 : 256;
}

void EcmSendPage::Append(std::span<const std::uint8_t> bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

int EcmSendPage::TotalFrames() const
{
    return std::max<int>(1, static_cast<int>((bytes_.size() + frameBytes_ - 1) / frameBytes_));
}

int EcmSendPage::BlockCount() const
{
    return (TotalFrames() + kEcmMaxFrames - 1) / kEcmMaxFrames;
}

int EcmSendPage::FramesIn(int block) const
{
    if (block < 0 || block >= BlockCount())
        return 0;
    return std::min(kEcmMaxFrames, TotalFrames() - block * kEcmMaxFrames);
}

std::span<const std::uint8_t> EcmSendPage::Frame(int block, int frame) const
{
    if (frame < 0 || frame >= FramesIn(block))
        return {};
    const std::size_t start = (static_cast<std::size_t>(block) * kEcmMaxFrames + static_cast<std::size_t>(frame)) * frameBytes_;
    if (start >= bytes_.size())
        return {};
    return std::span<const std::uint8_t>(bytes_).subspan(start, std::min(frameBytes_, bytes_.size() - start));
}

}  // namespace vl::fax
