// The outline pen of shapes and lines. The program only ever changes the
// width; mode and style are kept by name so that a file's values survive.
#pragma once

#include <cstdint>
#include <string>

#include "cover/CoverFont.h"

namespace vl::cover {

struct CoverPen {
    std::uint32_t color = kColorBlack;
    std::string mode = "pmCopy";
    std::string style = "psSolid";
    std::int32_t width = 1;

    bool operator==(const CoverPen&) const = default;
};

}  // namespace vl::cover
