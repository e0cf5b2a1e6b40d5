#include "print/SheetLayout.h"

#include <algorithm>

#include "faxdoc/ApfFormat.h"

namespace vl::print {

namespace {

// The part of a fax page's width that fit to page fills.
constexpr double kFitWidthShare = 0.93;
// Fax pixels to the inch across the line, near enough for both resolutions.
constexpr int kFaxPixelsPerInch = 200;
// The gap around each fax page.
constexpr int kCellInset = 2;

}  // namespace

int PagesPerSheet(const SheetOptions& options) {
    if (!options.multiPage) return 1;
    return options.portrait ? 4 : 2;
}

bool StartsSheet(int index, const SheetOptions& options) { return index % PagesPerSheet(options) == 0; }

int SheetCount(int pages, const SheetOptions& options) {
    const int perSheet = PagesPerSheet(options);
    return pages <= 0 ? 0 : (pages + perSheet - 1) / perSheet;
}

gfx::PixelBox FaxCell(const gfx::PixelBox& printable, int index, const SheetOptions& options) {
    gfx::PixelBox cell = printable;
    if (options.multiPage) {
        const int halfWidth = (printable.x1 - printable.x0) / 2;
        const int slot = index % PagesPerSheet(options);
        cell.x1 = cell.x0 + halfWidth;
        if (slot % 2 == 1) {
            cell.x0 += halfWidth;
            cell.x1 += halfWidth;
        }
        if (options.portrait) {
            const int halfHeight = (printable.y1 - printable.y0) / 2;
            cell.y1 = cell.y0 + halfHeight;
            if (slot >= 2) {
                cell.y0 += halfHeight;
                cell.y1 += halfHeight;
            }
        }
    }
    cell.x0 += kCellInset;
    cell.y0 += kCellInset;
    cell.x1 -= kCellInset;
    cell.y1 -= kCellInset;
    return cell;
}

PrintSize DestinationSize(PrintScale scale, const gfx::PixelBox& cell, int bitmapWidth, int bitmapHeight,
                          int printerDpi) {
    const int cellWidth = std::max(0, cell.x1 - cell.x0);
    const int cellHeight = std::max(0, cell.y1 - cell.y0);
    if (scale == PrintScale::psFitToPage) {
        // One factor for both sides: a page's ink keeps its shape and place.
        const int pageWidth = std::max(bitmapWidth, faxdoc::kNormalWidth);
        double factor = kFitWidthShare * cellWidth / pageWidth;
        if (bitmapHeight > 0) factor = std::min(factor, static_cast<double>(cellHeight) / bitmapHeight);
        // A hair over, so that products meant to be whole are not cut one short.
        constexpr double kRounding = 1e-9;
        return {static_cast<int>(bitmapWidth * factor + kRounding), static_cast<int>(bitmapHeight * factor + kRounding)};
    }
    const long long width = static_cast<long long>(bitmapWidth) * printerDpi / kFaxPixelsPerInch;
    const long long height = static_cast<long long>(bitmapHeight) * printerDpi / kFaxPixelsPerInch;
    return {static_cast<int>(width), static_cast<int>(std::min<long long>(height, cellHeight))};
}

}  // namespace vl::print
