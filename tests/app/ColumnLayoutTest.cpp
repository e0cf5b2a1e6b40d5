#include "app/ColumnLayout.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::app {
namespace {

TEST(ColumnLayout, RoundTripAndUnreadableLines) {
    test::TempDir dir;
    EXPECT_TRUE(LoadColumnLayout(dir.folder()).fieldOrder.empty());

    const ColumnLayout saved{{"SUBJECT", "PHONE", "DATESENT"}, {11, 120, 80, 64}};
    ASSERT_TRUE(SaveColumnLayout(dir.folder(), saved));
    const ColumnLayout loaded = LoadColumnLayout(dir.folder());
    EXPECT_EQ(loaded.fieldOrder, saved.fieldOrder);
    EXPECT_EQ(loaded.widths, saved.widths);

    // Names in any case and any line end; unknown and repeated names go, and
    // an unreadable width keeps its column's place.
    test::WriteFile(dir.path() / "Out.gco", "recipient\r\nNOSUCHFIELD\rcalcFaxFile\n Codes \nRECIPIENT\n");
    test::WriteFile(dir.path() / "Out.gcs", "11\r\nwide\n-5\n70000\n 42\n\n");
    const ColumnLayout odd = LoadColumnLayout(dir.folder());
    EXPECT_EQ(odd.fieldOrder, (std::vector<std::string>{"RECIPIENT", "CODES"}));
    EXPECT_EQ(odd.widths, (std::vector<int>{11, kKeepWidth, kKeepWidth, kKeepWidth, 42, kKeepWidth}));

    EXPECT_FALSE(SaveColumnLayout(dir.folder() + "missing/", saved));
}

}  // namespace
}  // namespace vl::app
