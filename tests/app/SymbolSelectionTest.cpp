// The symbol selector's grid at the edges of each size band, and its font
// button's caption.
#include "app/SymbolSelection.h"

#include <gtest/gtest.h>

namespace vl::app {
namespace {

TEST(SymbolSelection, ColumnsChangeAtTheBandEdges)
{
    const std::pair<int, int> cases[] = {{5, 1},  {6, 14}, {10, 14}, {11, 10}, {20, 10}, {21, 8}, {30, 8},
                                         {31, 6}, {40, 6}, {41, 4},  {50, 4},  {51, 3},  {60, 3}, {61, 2},
                                         {72, 2}, {73, 1}, {0, 1},   {-8, 1}};
    for (const auto& [points, columns] : cases)
        EXPECT_EQ(SymbolColumns(points), columns) << points;
}

TEST(SymbolSelection, TheFontButtonNamesSizeAndStyles)
{
    EXPECT_EQ(FontButtonCaption("Wingdings", 24, false, false), "Wingdings 24pt ");
    EXPECT_EQ(FontButtonCaption("Arial", 10, true, true), "Arial 10pt Bold Italic ");
    EXPECT_EQ(FontButtonCaption("Arial", 10, false, true), "Arial 10pt Italic ");
}

}  // namespace
}  // namespace vl::app
