// The fax page: its width in pixels and the resolutions a page is made at.
#pragma once

namespace vl::printfax {

inline constexpr int kFaxWidth = 1728;
inline constexpr int kFaxDotsPerInch = 204;  // across the line
inline constexpr double kMillimetresPerInch = 25.4;

// Down the page: fine or normal resolution.
constexpr int LinesPerInch(bool fine) { return fine ? 196 : 98; }

// The largest page taken: A3, either way round.
inline constexpr double kMaxPageShortMm = 297;
inline constexpr double kMaxPageLongMm = 420;

}  // namespace vl::printfax
