#include "VoiceAnswerDetector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

namespace vl::linesim {
namespace {

constexpr int kRate = 8000;
constexpr int kFrameMs = 20;
constexpr int kFrameSamples = kRate * kFrameMs / 1000;

// Sample n (at 8000/s) of a sound, before any noise.
using Sound = std::function<double(std::int64_t n)>;

// The peak amplitude of a sine at `dbm0` (a full-scale square wave is +6.16 dBm0).
double SineAmplitude(double dbm0) { return 32767.0 * std::sqrt(2.0) * std::pow(10.0, (dbm0 - 6.16) / 20.0); }

Sound Tone(double hz, double dbm0) {
    const double amplitude = SineAmplitude(dbm0);
    return [=](std::int64_t n) { return amplitude * std::sin(2 * std::numbers::pi * hz * n / kRate); };
}

// `sound` switched on for `onMs` and off for `offMs`, over and over.
Sound Bursts(Sound sound, int onMs, int offMs) {
    return [=](std::int64_t n) {
        const std::int64_t ms = n / (kRate / 1000);
        return ms % (onMs + offMs) < onMs ? sound(n) : 0.0;
    };
}

// Feeds `ms` of `sound` plus white noise at `noiseDbm0` (none when below
// -90); the verdicts after each frame.
class Listener {
public:
    explicit Listener(double noiseDbm0 = -99) : noiseRms_(noiseDbm0 < -90 ? 0 : SineAmplitude(noiseDbm0) / std::sqrt(2.0)) {}

    AnswerVerdict Hear(const Sound& sound, int ms, bool faxTone = false) {
        std::vector<std::int16_t> frame(kFrameSamples);
        for (int t = 0; t < ms; t += kFrameMs) {
            for (auto& s : frame) {
                const double v = sound(sample_++) + noiseRms_ * Gaussian();
                s = static_cast<std::int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
            }
            const AnswerVerdict verdict = detector.Feed(frame, faxTone);
            if (verdict == AnswerVerdict::Voice && voiceAtMs < 0) voiceAtMs = heardMs_ + kFrameMs;
            heardMs_ += kFrameMs;
        }
        return detector.Verdict();
    }

    VoiceAnswerDetector detector;
    int voiceAtMs = -1;

private:
    // Box-Muller on a fixed linear congruential sequence: the same noise every run.
    double Gaussian() {
        auto uniform = [this] {
            seed_ = seed_ * 6364136223846793005ULL + 1442695040888963407ULL;
            return (static_cast<double>(seed_ >> 11) + 1.0) / 9007199254740993.0;
        };
        return std::sqrt(-2.0 * std::log(uniform())) * std::cos(2 * std::numbers::pi * uniform());
    }

    double noiseRms_;
    std::uint64_t seed_ = 42;
    std::int64_t sample_ = 0;
    int heardMs_ = 0;
};

const Sound kSilence = [](std::int64_t) { return 0.0; };

// Syllables of a vowel-like sound at a talking level.
Sound Speech(double dbm0 = -20) { return Bursts(Tone(420, dbm0), 200, 200); }

TEST(VoiceAnswerDetector, SpeechIsAVoiceOnceTheAnswerToneHadItsChance) {
    Listener ear;
    EXPECT_EQ(ear.Hear(Speech(), 2900), AnswerVerdict::Listening) << "decided before an answer tone could be heard";
    EXPECT_EQ(ear.Hear(Speech(), 200), AnswerVerdict::Voice);
    EXPECT_EQ(ear.voiceAtMs, VoiceAnswerDetector::kMinListenMs);
}

TEST(VoiceAnswerDetector, SpeechOverANoisyLineIsStillAVoice) {
    Listener ear(-45);
    EXPECT_EQ(ear.Hear(Speech(), 4000), AnswerVerdict::Voice);
}

// A voice that starts late is recognised once it has said enough.
TEST(VoiceAnswerDetector, SpeechAfterSilenceNeedsItsOwnBursts) {
    Listener ear;
    EXPECT_EQ(ear.Hear(kSilence, 5000), AnswerVerdict::Listening);
    EXPECT_EQ(ear.Hear(Speech(), 1000), AnswerVerdict::Listening) << "too little sound yet";
    EXPECT_EQ(ear.Hear(Speech(), 1200), AnswerVerdict::Voice);
}

// Steady sound is a machine, a tone or line noise, never a person.
TEST(VoiceAnswerDetector, SteadySoundIsNoVoice) {
    Listener tone;
    EXPECT_EQ(tone.Hear(Tone(2100, -12), 20000), AnswerVerdict::Listening);
    Listener noise(-30);
    EXPECT_EQ(noise.Hear(kSilence, 20000), AnswerVerdict::Listening);
    Listener silence;
    EXPECT_EQ(silence.Hear(kSilence, 20000), AnswerVerdict::Listening);
}

// Two clicks on the line, or bursts too faint to be someone talking, are not speech.
TEST(VoiceAnswerDetector, TooFewOrTooFaintBurstsAreNoVoice) {
    Listener clicks;
    clicks.Hear(Speech(), 800);  // two syllables
    EXPECT_EQ(clicks.Hear(kSilence, 10000), AnswerVerdict::Listening);
    Listener faint;
    EXPECT_EQ(faint.Hear(Speech(-50), 10000), AnswerVerdict::Listening);
    // Bursts too short to add up to a second of sound.
    Listener blips;
    EXPECT_EQ(blips.Hear(Bursts(Tone(420, -20), 20, 400), 10000), AnswerVerdict::Listening);
}

TEST(VoiceAnswerDetector, AFaxToneSettlesItForGood) {
    Listener ear;
    EXPECT_EQ(ear.Hear(Tone(2100, -12), 1000, true), AnswerVerdict::Fax);
    EXPECT_EQ(ear.Hear(Speech(), 10000), AnswerVerdict::Fax) << "speech after a fax tone";
    Listener late;
    late.Hear(Speech(), 2000);
    EXPECT_EQ(late.Hear(Speech(), 20, true), AnswerVerdict::Fax) << "the tone came before the verdict";
}

TEST(VoiceAnswerDetector, FrameLevelsAreInDbm0) {
    std::vector<std::int16_t> frame(kFrameSamples, 0);
    EXPECT_EQ(VoiceAnswerDetector::FrameLevelDbm0(frame), -99.0);
    EXPECT_EQ(VoiceAnswerDetector::FrameLevelDbm0({}), -99.0);
    std::fill(frame.begin(), frame.end(), std::int16_t{32767});
    EXPECT_NEAR(VoiceAnswerDetector::FrameLevelDbm0(frame), 6.16, 0.01);
    const Sound tone = Tone(1000, -10);
    for (int n = 0; n < kFrameSamples; ++n) frame[n] = static_cast<std::int16_t>(std::lround(tone(n)));
    EXPECT_NEAR(VoiceAnswerDetector::FrameLevelDbm0(frame), -10.0, 0.1);
}

}  // namespace
}  // namespace vl::linesim
