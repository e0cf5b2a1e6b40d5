// The objects of one cover page in z-order, bottom-most first.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cover/GraphicControl.h"

namespace vl::cover {

class FaxCoverBaseLabel;

using CoverObjects = std::vector<std::unique_ptr<GraphicControl>>;

// A new object of the kind with its creation defaults; nothing for a kind
// that has no object class.
std::unique_ptr<GraphicControl> MakeCoverObject(RecordKind kind);

// A copy of the object with every property, its name and zoom included.
std::unique_ptr<GraphicControl> CloneCoverObject(const GraphicControl& object);
CoverObjects CloneCoverObjects(const CoverObjects& objects);

// `prefix` and the smallest number first..last that no object's name uses;
// empty when every number is taken.
std::string FreeObjectName(const CoverObjects& objects, std::string_view prefix, int first, int last);

// The object as a text object; nullptr for shapes, lines and no object.
FaxCoverBaseLabel* AsText(GraphicControl* object);

}  // namespace vl::cover
