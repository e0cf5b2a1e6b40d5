// Sizing text objects to their caption, measured in their font at their zoom.
// The designer calls it after a caption or font changes, and for symbols,
// fields and importance lines after creating one.
#pragma once

#include "cover/FaxCoverBaseLabel.h"
#include "gfx/TextDrawing.h"

namespace vl::cover {

// The object's font as drawn: its size truncated to size x zoom.
gfx::FontSpec ZoomedFont(const FaxCoverBaseLabel& text);

// A symbol takes 1.1 times its character's width and height; labels, fields
// and importance lines grow (never shrink) to hold the caption followed by a
// blank; a message keeps its size.
void FitText(FaxCoverBaseLabel& text);

}  // namespace vl::cover
