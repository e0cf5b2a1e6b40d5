// Where fax pages go on printed sheets: one to a sheet, or four (portrait) or
// two (landscape) to a sheet, and how large each is printed.
#pragma once

#include "gfx/PixelBox.h"

namespace vl::print {

enum class PrintScale { psNone, psFitToPage };

struct SheetOptions {
    bool multiPage = false;
    bool portrait = true;
};

// How many fax pages one sheet takes.
int PagesPerSheet(const SheetOptions& options);
// Whether the fax page at `index` of the printed range (from 0) begins a new
// sheet.
bool StartsSheet(int index, const SheetOptions& options);
// The number of sheets a range of `pages` fax pages takes.
int SheetCount(int pages, const SheetOptions& options);

// The part of the printable area the fax page at `index` of the range is
// printed in: the whole area, or its quarter (portrait) or half (landscape),
// in reading order, 2 pixels in from every side.
gfx::PixelBox FaxCell(const gfx::PixelBox& printable, int index, const SheetOptions& options);

struct PrintSize {
    int width = 0;
    int height = 0;
};

// The size a decoded page is printed at in `cell`. Fit to page: one factor
// for both sides, so that a page of the standard width (or a wide page) spans
// 93 % of the cell's width, made smaller when the page would be taller than
// the cell; a bitmap that decoding trimmed at the right of its last ink
// keeps its share of the width. Unscaled: 200 fax pixels to the inch on a
// printer of `printerDpi`, the height cut to the cell's.
PrintSize DestinationSize(PrintScale scale, const gfx::PixelBox& cell, int bitmapWidth, int bitmapHeight,
                          int printerDpi);

}  // namespace vl::print
