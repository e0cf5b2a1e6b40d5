// What receive mode logs and shows for the receive component's statuses.
#include <gtest/gtest.h>

#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "session/ReceiveStatusTexts.h"

namespace vl::test {
namespace {

using session::ReceiveStatusLine;
using session::ReceiveStatusLogLine;

TEST(ReceiveStatusLogLineTest, NamesPagesAndTheCallerWhereTheTableSaysSo)
{
    EXPECT_EQ(ReceiveStatusLogLine(base::fpWaitingForCall, 0, ""), "Waiting for call ");
    EXPECT_EQ(ReceiveStatusLogLine(base::fpGettingPage, 3, ""), "Receiving page 3");
    EXPECT_EQ(ReceiveStatusLogLine(base::fpGettingPageEnd, 3, ""), "Page 3 received ");
    EXPECT_EQ(ReceiveStatusLogLine(base::fpGotRemoteId, 0, "  +1 555 0100 "), "Connected to +1 555 0100 ");
    EXPECT_EQ(ReceiveStatusLogLine(base::fpGotHangupCode, 0, ""), "Faxmodem has disconnected or hung up ");
    EXPECT_EQ(ReceiveStatusLogLine(base::fpFinished, 0, ""), "Finished ");
    // Sender codes and unknown ones are not logged.
    EXPECT_EQ(ReceiveStatusLogLine(base::fpDialing, 0, ""), "");
    EXPECT_EQ(ReceiveStatusLogLine(4830, 0, ""), "");
}

TEST(ReceiveStatusLineTest, PageDataNamesCallerPageAndBytes)
{
    const std::string pageData = base::ProgressText(base::fpGettingPage);
    EXPECT_EQ(ReceiveStatusLine(pageData, base::fpGettingPage, "", 2, 5000), "Receiving fax");
    EXPECT_EQ(ReceiveStatusLine(pageData, base::fpGettingPage, " ACME ", 2, 5000),
              "Receiving fax from: ACME, page 2 (5000 bytes)");
    EXPECT_EQ(ReceiveStatusLine(pageData, base::fpGettingPage, "ACME", 0, 0), "Receiving fax from: ACME");
    // Page and bytes belong to page data only.
    EXPECT_EQ(ReceiveStatusLine("Getting end-of-page signal ", base::fpGettingPageEnd, "ACME", 2, 5000),
              "Getting end-of-page signal from: ACME");
}

TEST(ReceiveStatusLineTest, HangUpReportAndAbortsAreRewordedOrHidden)
{
    EXPECT_EQ(ReceiveStatusLine("Got Class 2 FHNG code", base::fpGotHangupCode, "", 0, 0), "Hangup successful");
    EXPECT_EQ(ReceiveStatusLine("got class 2 fhng code", base::fpGotHangupCode, "ACME", 0, 0),
              "Hangup successful from: ACME");
    EXPECT_EQ(ReceiveStatusLine("User abort", base::fpUserAbort, "ACME", 0, 0), "");
    EXPECT_EQ(ReceiveStatusLine("  Waiting for incoming call  ", base::fpWaitingForCall, "", 0, 0),
              "Waiting for incoming call");
}

}  // namespace
}  // namespace vl::test
