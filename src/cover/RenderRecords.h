// The render records of a page's objects, as the designer saves them next to
// the design file for the cover renderer.
#pragma once

#include <vector>

#include "cover/CoverObjects.h"
#include "cover/RenderRecord.h"

namespace vl::cover {

// One record per object in z-order. Lengths and pen widths are doubled; the
// size code scales the font's point size by screenDpi / 96, doubled.
std::vector<RenderRecord> RenderRecords(const CoverObjects& objects, int screenDpi);

}  // namespace vl::cover
