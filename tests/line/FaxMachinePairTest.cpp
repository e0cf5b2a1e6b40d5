// spandsp's fax machine at each end of the line: A's calls B's and sends a
// page, B stores it pixel for pixel, and the result line tells both IDs.
#include "LineFixture.h"

namespace vl::test {
namespace {

class FaxMachinePair : public LineFixture {};

TEST_F(FaxMachinePair, OneMachineCallsTheOtherAndSendsAPage) {
    const Bitmap page = TestPage(400);
    WriteFaxTiff(page, File("page.tif"));
    ASSERT_NO_FATAL_FAILURE(StartLine({"--a", "faxterm", "--b", "faxterm", "--faxterm-a-send", File("page.tif"),
                                       "--faxterm-a-id", "+1 555 0101", "--faxterm-receive", File("rx.tif"),
                                       "--faxterm-id", "+1 555 0199"}));
    const std::string result = CallResult();
    EXPECT_EQ(JsonField(result, "result"), "completed") << result;
    EXPECT_EQ(JsonField(result, "pages_a_to_b"), "1") << result;
    EXPECT_EQ(JsonField(result, "pages_b_to_a"), "0") << result;
    EXPECT_EQ(JsonField(result, "resolution"), "fine") << result;
    EXPECT_EQ(JsonField(result, "bit_rate"), "14400") << result;
    EXPECT_EQ(JsonField(result, "id_a"), "+1 555 0101") << result;
    EXPECT_EQ(JsonField(result, "id_b"), "+1 555 0199") << result;
    EXPECT_EQ(InkedRows(ReadFaxTiff(File("rx.tif"))), InkedRows(page));
}

}  // namespace
}  // namespace vl::test
