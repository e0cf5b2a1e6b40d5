// Tells, from what a calling fax modem hears after its call is answered,
// whether a fax machine or a person took the call.
//
// A fax machine answers with steady tones (the answer tone, then V.21 flags);
// a person answers with speech: bursts of sound, a syllable or a word at a
// time, with quieter gaps between them. The detector counts those bursts
// against the quietest level heard so far, so steady noise on the line is
// not mistaken for a voice, and speech over a noisy line still is.
#pragma once

#include <cstdint>
#include <span>

namespace vl::linesim {

enum class AnswerVerdict { Listening, Fax, Voice };

class VoiceAnswerDetector {
public:
    // The time a verdict of Voice needs at least: long enough for the far
    // end's answer tone to be heard first if there is one.
    static constexpr std::int64_t kMinListenMs = 3000;
    // Bursts of sound (each after a quieter gap) that make speech.
    static constexpr int kMinBursts = 3;
    static constexpr std::int64_t kMinSoundMs = 1000;

    // One frame (8000 samples/s) of the line after the answer, and whether the
    // modem's tone detector heard a fax answer tone or V.21 flags so far. Once
    // the verdict is Fax or Voice it stays.
    AnswerVerdict Feed(std::span<const std::int16_t> frame, bool faxToneHeard);
    AnswerVerdict Verdict() const { return verdict_; }

    // The level of `frame` in dBm0 (full-scale square wave: +6.16 dBm0);
    // -99 for digital silence.
    static double FrameLevelDbm0(std::span<const std::int16_t> frame);

private:
    AnswerVerdict verdict_ = AnswerVerdict::Listening;
    std::int64_t heardMs_ = 0;
    std::int64_t soundMs_ = 0;
    int bursts_ = 0;
    double floorDbm0_ = 99.0;  // the quietest frame so far
    bool inGap_ = true;
};

}  // namespace vl::linesim
