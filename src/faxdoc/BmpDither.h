// The ordered-dither threshold for turning colour pixels black or white.
#pragma once

namespace vl::faxdoc {

// Threshold for pixel column x and row y, between 0 and 310: a pixel whose
// R + G + B (each 0..255) is below it becomes black. Repeats every 32 pixels
// both ways.
int DitherThreshold(int x, int y);

}  // namespace vl::faxdoc
