// The design file: the page objects as a tagged property stream that the
// designer reads back exactly.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "cover/CoverObjects.h"

namespace vl::cover {

// In front of every object record.
inline constexpr std::string_view kDesignSignature = "TPF0";

// Properties equal to their default are left out, in a fixed order.
std::vector<std::uint8_t> WriteDesignFile(const CoverObjects& objects);

// Appends the objects read to `objects`, each named "Component" and the
// smallest number 0..1000 no object in `objects` uses (the stored name is not
// kept). Returns 0, or ecFaxBadFormat for damage, an unknown class or an
// unknown property: the objects before it stay appended, none after it.
int ReadDesignFile(std::span<const std::uint8_t> bytes, CoverObjects& objects);

}  // namespace vl::cover
