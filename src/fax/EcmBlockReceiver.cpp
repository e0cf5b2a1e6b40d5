#include "fax/EcmBlockReceiver.h"

namespace vl::fax {

void EcmBlockReceiver::StartPage()
{
    held_ = {};
    page_.clear();
}

void EcmBlockReceiver::Take(int number, std::span<const std::uint8_t> data)
{
    if (number < 0 || number >= kEcmMaxFrames)
        return;
    frames_[static_cast<std::size_t>(number)].assign(data.begin(), data.end());
    held_.Set(number);
}

FrameMap EcmBlockReceiver::Missing(int frames) const
{
    FrameMap missing;
    for (int frame = 0; frame < frames && frame < kEcmMaxFrames; ++frame) {
        if (!held_.Has(frame))
            missing.Set(frame);
    }
    return missing;
}

bool EcmBlockReceiver::CloseBlock(int frames)
{
    if (Missing(frames).Count() != 0)
        return false;
    for (int frame = 0; frame < frames && frame < kEcmMaxFrames; ++frame) {
        const auto& data = frames_[static_cast<std::size_t>(frame)];
        page_.insert(page_.end(), data.begin(), data.end());
    }
    held_ = {};
    return true;
}

int EcmBlockReceiver::FramesHeld() const
{
    return held_.Count();
}

}  // namespace vl::fax
