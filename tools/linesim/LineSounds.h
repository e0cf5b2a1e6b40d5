// Sounds the line itself makes: a person answering (the voice fault) and
// white noise (the noise fault).
#pragma once

#include <cstdint>
#include <span>

struct awgn_state_s;

namespace vl::linesim {

// Speech-like sound: a 140 Hz voice with vowel formants, in syllables of
// about 200 ms with pauses between words. It stays clear of the fax tones
// (1100 Hz, 2100 Hz) and of the V.21 band, so no fax modem mistakes it.
class VoiceSound {
public:
    void Fill(std::span<std::int16_t> out);

private:
    std::int64_t sample_ = 0;
};

class LineNoise {
public:
    explicit LineNoise(double levelDbm0);
    ~LineNoise();
    LineNoise(const LineNoise&) = delete;
    LineNoise& operator=(const LineNoise&) = delete;

    // Adds noise to `samples`, clipping at full scale.
    void AddTo(std::span<std::int16_t> samples);

private:
    awgn_state_s* awgn_;
};

}  // namespace vl::linesim
