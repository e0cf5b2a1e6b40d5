// The objects of one cover page in z-order, bottom-most first.
#pragma once

#include <memory>
#include <vector>

#include "cover/GraphicControl.h"

namespace vl::cover {

using CoverObjects = std::vector<std::unique_ptr<GraphicControl>>;

// A new object of the kind with its creation defaults; nothing for a kind
// that has no object class.
std::unique_ptr<GraphicControl> MakeCoverObject(RecordKind kind);

}  // namespace vl::cover
