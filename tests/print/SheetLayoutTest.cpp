// Fax pages on printed sheets: which page starts a sheet, where each goes,
// the printed size, and the header and footer macros.
#include <gtest/gtest.h>

#include "print/CaptionMacros.h"
#include "print/SheetLayout.h"

namespace vl::print {
namespace {

constexpr gfx::PixelBox kPaper{0, 0, 4800, 6400};

TEST(SheetLayout, FourToASheetInPortraitTwoInLandscape) {
    const SheetOptions portrait{true, true};
    EXPECT_EQ(SheetCount(6, portrait), 2);
    EXPECT_EQ(SheetCount(6, {false, true}), 6);
    EXPECT_EQ(SheetCount(0, portrait), 0);

    // Pages 5 and 6 of 1..6 start the second sheet and fill its top row.
    struct Cell {
        int index;
        bool starts;
        gfx::PixelBox box;
    };
    for (const Cell& c : {Cell{0, true, {2, 2, 2398, 3198}}, Cell{1, false, {2402, 2, 4798, 3198}},
                          Cell{2, false, {2, 3202, 2398, 6398}}, Cell{3, false, {2402, 3202, 4798, 6398}},
                          Cell{4, true, {2, 2, 2398, 3198}}, Cell{5, false, {2402, 2, 4798, 3198}}}) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(StartsSheet(c.index, portrait), c.starts);
        const gfx::PixelBox box = FaxCell(kPaper, c.index, portrait);
        EXPECT_EQ(box.x0, c.box.x0);
        EXPECT_EQ(box.y0, c.box.y0);
        EXPECT_EQ(box.x1, c.box.x1);
        EXPECT_EQ(box.y1, c.box.y1);
    }

    // Landscape: side by side, the third page on a new sheet at the left.
    const SheetOptions landscape{true, false};
    const gfx::PixelBox wide{0, 0, 6400, 4800};
    EXPECT_TRUE(StartsSheet(2, landscape));
    EXPECT_EQ(FaxCell(wide, 1, landscape).x0, 3202);
    EXPECT_EQ(FaxCell(wide, 2, landscape).x0, 2);
    EXPECT_EQ(FaxCell(wide, 1, landscape).y1, 4798);
    EXPECT_EQ(FaxCell(kPaper, 3, {false, true}).x1, 4798);
}

TEST(SheetLayout, PrintedSizes) {
    const gfx::PixelBox cell{0, 0, 4000, 5000};
    struct Case {
        PrintScale scale;
        int bitmapWidth;
        int bitmapHeight;
        int dpi;
        PrintSize size;
    };
    for (const Case& c : {
             Case{PrintScale::psNone, 1728, 2200, 600, {5184, 5000}},  // wider than the cell, cut in height only
             Case{PrintScale::psNone, 1728, 1000, 300, {2592, 1500}},
             Case{PrintScale::psFitToPage, 1728, 2200, 600, {3720, 4736}},
             Case{PrintScale::psFitToPage, 864, 2200, 600, {1860, 4736}},  // ink in the left half keeps its place
             Case{PrintScale::psFitToPage, 1728, 40, 600, {3720, 86}},     // one line of text stays one line
             Case{PrintScale::psFitToPage, 1728, 4400, 600, {1963, 5000}}, // a long page fits the height
             Case{PrintScale::psFitToPage, 2048, 2200, 600, {3720, 3996}},
         }) {
        const PrintSize size = DestinationSize(c.scale, cell, c.bitmapWidth, c.bitmapHeight, c.dpi);
        EXPECT_EQ(size.width, c.size.width) << c.bitmapWidth << " " << c.dpi;
        EXPECT_EQ(size.height, c.size.height) << c.bitmapWidth << " " << c.dpi;
    }
}

TEST(CaptionMacros, EachDollarRunsToTheNextBlank) {
    const CaptionValues values{"12/09/2026", "10:41", "FAX00001.APF", 2, 5};
    struct Case {
        const char* caption;
        const char* text;
    };
    for (const Case& c : {Case{"Page: $P of $N", "Page: 2 of 5"}, Case{"Page: $p of $n", "Page: 2 of 5"},
                          Case{"File: $F", "File: FAX00001.APF"}, Case{"$D $T", "12/09/2026 10:41"},
                          Case{"[$Pages] end", "[2 end"}, Case{"$X unknown", " unknown"}, Case{"cost $", "cost "},
                          Case{"$$P", ""}, Case{"no macros", "no macros"}})
        EXPECT_EQ(ExpandCaptionMacros(c.caption, values), c.text) << c.caption;
}

}  // namespace
}  // namespace vl::print
