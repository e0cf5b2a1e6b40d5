// Fax files of test pages for the engine's calls, and their pages decoded
// back, so that what arrived can be compared pixel for pixel.
#pragma once

#include <string>
#include <vector>

#include "FaxPages.h"

namespace vl::test {

// Writes the pages (1728 pixels wide) as an APF file of line records.
void WriteApfPages(const std::string& file, const std::vector<Bitmap>& pages, bool fine);

// Page `page` (from 1) of an APF file as the fax decoder reads it; the
// decoder's width ends with the rightmost pixel any line reached.
Bitmap ApfPageBitmap(const std::string& file, unsigned page);

// The page with every row made `width` pixels wide (white added at the right).
Bitmap WidenedTo(const Bitmap& page, int width);

// Rows [first, first + count) of a page.
Bitmap RowsOf(const Bitmap& page, int first, int count);

}  // namespace vl::test
