// The file a fax is viewed and printed from, and the header line above its
// pages.
#include <gtest/gtest.h>

#include "FaxListFixture.h"
#include "faxdoc/ApfFormat.h"

namespace vl::app {
namespace {

// A fax file header counting `pages`, then the given page bytes.
std::string FaxFile(int pages, const std::string& body) {
    faxdoc::ApfFileHeader header;
    header.pageCount = static_cast<std::uint16_t>(pages);
    const faxdoc::ApfFileHeaderBytes bytes = faxdoc::EncodeFileHeader(header);
    return std::string(bytes.begin(), bytes.end()) + body;
}

using FaxViewingTest = FaxListTest;

TEST_F(FaxViewingTest, AnOutgoingFaxShowsItsCoverThenItsBody) {
    test::WriteFile(Send("COV00001.APF"), FaxFile(1, "cover page"));
    test::WriteFile(Send("FAX00001.APF"), FaxFile(2, "body pages"));
    AddOut({"both", "FAX00001.APF", "COV00001.APF"});
    FaxOperations::ShownFax shown = ops.FaxToShow(FaxPage::Outgoing);
    ASSERT_TRUE(shown.ok);
    EXPECT_TRUE(shown.temporary);
    EXPECT_EQ(shown.file, folder + "Temp00000.APF");
    const std::string joined = test::ReadFile(shown.file);
    EXPECT_EQ(joined.substr(64), "cover pagebody pages");
    EXPECT_EQ(joined[faxdoc::kApfPageCountAt], 3);
    EXPECT_EQ(shown.header, "To: Ann             Sent: not sent");

    // One of the two alone is shown as it is.
    std::filesystem::remove(Send("COV00001.APF"));
    shown = ops.FaxToShow(FaxPage::Outgoing);
    EXPECT_EQ(shown.file, Send("FAX00001.APF"));
    EXPECT_FALSE(shown.temporary);
    std::filesystem::remove(Send("FAX00001.APF"));
    EXPECT_FALSE(ops.FaxToShow(FaxPage::Outgoing).ok);
}

TEST_F(FaxViewingTest, AReceivedFaxNamesItsSender) {
    AddIn("  +1 555 0142 ", "FAX0001.APF");
    FaxOperations::ShownFax shown = ops.FaxToShow(FaxPage::Incoming);
    EXPECT_FALSE(shown.ok);
    EXPECT_EQ(shown.header.rfind("From: +1 555 0142             Received: ", 0), 0u) << shown.header;
    EXPECT_NE(shown.header.find(" at 10:15"), std::string::npos) << shown.header;

    test::WriteFile(Receive("fax0001.apf"), FaxFile(1, "page"));
    shown = ops.FaxToShow(FaxPage::Incoming);
    EXPECT_TRUE(shown.ok);
    EXPECT_EQ(shown.file, Receive("fax0001.apf"));
    EXPECT_FALSE(shown.temporary);
}

}  // namespace
}  // namespace vl::app
