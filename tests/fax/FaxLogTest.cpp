#include "fax/FaxLog.h"

#include <gtest/gtest.h>

#include "fax/FaxCodes.h"
#include "support/TestSupport.h"

namespace vl::fax {
namespace {

const std::string kNow = "2026-12-08 10:15:00";

FaxLogFacts Facts() {
    FaxLogFacts facts;
    facts.faxFileList = {"/send/FAX00001.APF", "/send/FAX00002.APF"};
    facts.phoneNumber = "5550100";
    facts.faxFile = "/receive/FAX0001.APF";
    facts.remoteId = "+1 555 0199";
    facts.errorText = "Called fax number was busy";
    facts.hangupCode = 50;
    return facts;
}

TEST(FaxLogText, TheSevenLineForms) {
    const struct {
        int code;
        const char* text;
    } cases[] = {
        {kLogTransmitStarted,
         "Transmit /send/FAX00001.APF to 5550100 started at 2026-12-08 10:15:00\n"
         "Transmit /send/FAX00002.APF to 5550100 started at 2026-12-08 10:15:00\n"},
        {kLogTransmitOk, "Transmit to +1 555 0199 finished OK at 2026-12-08 10:15:00 50\n\n"},
        {kLogTransmitFailed, "Transmit failed at 2026-12-08 10:15:00\n  (Called fax number was busy) 50\n\n"},
        {kLogReceiveStarted, "Receive /receive/FAX0001.APF from +1 555 0199 started at 2026-12-08 10:15:00\n"},
        {kLogReceiveOk, "Receive finished OK at 2026-12-08 10:15:00\n\n"},
        {kLogReceiveSkipped, "Receive skipped at 2026-12-08 10:15:00\n\n"},
        {kLogReceiveFailed, "Receive failed at 2026-12-08 10:15:00\n  (Called fax number was busy)\n\n"},
        {0, ""},
        {8, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FaxLogText(c.code, Facts(), kNow), c.text) << "code " << c.code;
}

TEST(VlFaxLog, AppendsEveryMessageAndCreatesAMissingFile) {
    vl::test::TempDir dir;
    VlFaxLog log;
    EXPECT_EQ(log.FaxHistoryName, "ZERVFAX.HIS");
    log.FaxHistoryName = dir.folder() + "FAX.HIS";
    ASSERT_EQ(log.WriteLog(kLogReceiveSkipped, Facts(), kNow), 0);
    ASSERT_EQ(log.WriteLog(kLogReceiveOk, Facts(), kNow), 0);
    EXPECT_EQ(vl::test::ReadFile(log.FaxHistoryName),
              FaxLogText(kLogReceiveSkipped, Facts(), kNow) + FaxLogText(kLogReceiveOk, Facts(), kNow));
}

TEST(VlFaxLog, AFileThatCannotBeOpenedIsAnError) {
    vl::test::TempDir dir;
    VlFaxLog log;
    for (const std::string& name : {dir.folder() + "NO/FAX.HIS", dir.path().string()}) {
        log.FaxHistoryName = name;
        EXPECT_LT(log.WriteLog(kLogReceiveOk, Facts(), kNow), 0) << name;
    }
}

}  // namespace
}  // namespace vl::fax
