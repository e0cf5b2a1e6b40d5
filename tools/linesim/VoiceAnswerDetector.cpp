#include "VoiceAnswerDetector.h"

#include <algorithm>
#include <cmath>

namespace vl::linesim {
namespace {

constexpr double kFullScaleDbm0 = 6.16;
constexpr double kSilenceDbm0 = -99.0;
// Below this the line counts as quiet however still it is: an idle line's
// hiss, not a floor that makes every whisper a burst.
constexpr double kQuietestFloorDbm0 = -60.0;
// Sound must stand this far above the floor, and above this level, to count;
// a gap is anything within a few dB of the floor.
constexpr double kBurstAboveFloorDb = 15.0;
constexpr double kQuietestBurstDbm0 = -45.0;
constexpr double kGapAboveFloorDb = 6.0;
constexpr int kSamplesPerMs = 8;

}  // namespace

double VoiceAnswerDetector::FrameLevelDbm0(std::span<const std::int16_t> frame) {
    double sum = 0;
    for (std::int16_t s : frame) sum += static_cast<double>(s) * s;
    if (frame.empty() || sum == 0) return kSilenceDbm0;
    const double meanSquare = sum / static_cast<double>(frame.size());
    return 10.0 * std::log10(meanSquare / (32767.0 * 32767.0)) + kFullScaleDbm0;
}

AnswerVerdict VoiceAnswerDetector::Feed(std::span<const std::int16_t> frame, bool faxToneHeard) {
    if (verdict_ != AnswerVerdict::Listening) return verdict_;
    if (faxToneHeard) return verdict_ = AnswerVerdict::Fax;
    const std::int64_t frameMs = static_cast<std::int64_t>(frame.size()) / kSamplesPerMs;
    heardMs_ += frameMs;
    const double level = FrameLevelDbm0(frame);
    floorDbm0_ = std::min(floorDbm0_, level);
    const double floor = std::max(floorDbm0_, kQuietestFloorDbm0);
    if (level >= floor + kBurstAboveFloorDb && level >= kQuietestBurstDbm0) {
        soundMs_ += frameMs;
        if (inGap_) ++bursts_;
        inGap_ = false;
    } else if (level <= floor + kGapAboveFloorDb) {
        inGap_ = true;
    }
    if (heardMs_ >= kMinListenMs && bursts_ >= kMinBursts && soundMs_ >= kMinSoundMs)
        verdict_ = AnswerVerdict::Voice;
    return verdict_;
}

}  // namespace vl::linesim
