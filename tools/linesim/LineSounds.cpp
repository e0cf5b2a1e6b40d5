#include "LineSounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "Endpoint.h"
#include "SpandspApi.h"

namespace vl::linesim {

void VoiceSound::Fill(std::span<std::int16_t> out) {
    constexpr double kPitch = 140.0;
    // Harmonic weights shaped like an open vowel (formants near 700 and 1000 Hz).
    constexpr double kWeights[] = {0.5, 0.6, 0.7, 0.9, 1.0, 1.0, 0.8, 0.6};
    constexpr double kTwoPi = 2 * std::numbers::pi;
    for (auto& s : out) {
        double t = static_cast<double>(sample_++) / kSampleRate;
        // 1.6 s words of four syllables, then 0.8 s of silence.
        double inWord = std::fmod(t, 2.4);
        double envelope = inWord < 1.6 ? std::pow(std::sin(std::numbers::pi * std::fmod(inWord, 0.4) / 0.4), 2) : 0.0;
        double v = 0;
        for (int h = 0; h < 8; ++h) v += kWeights[h] * std::sin(kTwoPi * kPitch * (h + 1) * t);
        s = static_cast<std::int16_t>(std::lround(envelope * v * 1200.0));
    }
}

LineNoise::LineNoise(double levelDbm0) : awgn_(awgn_init_dbm0(nullptr, 1234567, static_cast<float>(levelDbm0))) {
    if (!awgn_) throw std::runtime_error("awgn_init_dbm0 failed");
}

LineNoise::~LineNoise() { awgn_free(awgn_); }

void LineNoise::AddTo(std::span<std::int16_t> samples) {
    for (auto& s : samples) {
        int v = s + awgn(awgn_);
        s = static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
    }
}

}  // namespace vl::linesim
