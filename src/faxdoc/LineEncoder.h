// Codes one raster line (width/8 bytes, 1 = black, bit 7 of byte 0 leftmost)
// into an APF line record: a byte-aligned EOL, the MH run codes starting with
// white, zero fill to the end of the byte and one more zero byte.
#pragma once

#include <cstdint>
#include <span>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/BitWriter.h"

namespace vl::faxdoc {

struct LineLayout {
    int width = kNormalWidth;  // kWideWidth, or anything else for kNormalWidth
    int leftMargin = 0;        // white pixels ahead of the raster, kept within the width
    bool doubleWidth = false;  // every raster pixel counts as two
};

class LineEncoder {
public:
    explicit LineEncoder(const LineLayout& layout);

    // The record stays valid until the next call. Raster bytes missing from a
    // short span count as white; pixels beyond width - leftMargin are not
    // looked at, except that any black in the first width/8 bytes stops the
    // line being coded as one full-width white run.
    std::span<const std::uint8_t> Encode(std::span<const std::uint8_t> raster);

private:
    int width_;
    int leftMargin_;
    bool doubleWidth_;
    BitWriter writer_;
};

}  // namespace vl::faxdoc
