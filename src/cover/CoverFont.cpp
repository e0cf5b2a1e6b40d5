#include "cover/CoverFont.h"

#include <cmath>

namespace vl::cover {

int CoverFont::Points() const { return static_cast<int>(std::lround(-static_cast<double>(height) * 72.0 / 96.0)); }

void CoverFont::SetPoints(int points) { height = -static_cast<std::int32_t>(std::lround(points * 96.0 / 72.0)); }

std::uint32_t CoverTextColor(std::uint32_t picked) { return picked == kColorWhite ? kColorWhite : kColorBlack; }

}  // namespace vl::cover
