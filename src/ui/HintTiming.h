// How hints (tool tips) are timed throughout the program: the pointer rests
// 1.2 seconds before one shows, and it stays up to 30 seconds, long enough to
// read the longer ones.
#pragma once

namespace vl::ui {

inline constexpr int kHintDelayMs = 1200;
inline constexpr int kHintDisplayMs = 30000;

// Puts the timing on every window of the application, those made later
// included. Calling it again changes nothing.
void ApplyHintTiming();

}  // namespace vl::ui
