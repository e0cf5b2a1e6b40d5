#include "print/VlFaxPrinterLog.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::print {
namespace {

TEST(VlFaxPrinterLog, AJobIsAStartAndAnEndWithAnEmptyLineAfterIt) {
    test::TempDir dir;
    VlFaxPrinterLog log;
    log.LogFileName = dir.folder() + "FAXPRINT.LOG";
    test::WriteFile(log.LogFileName, "earlier\n");
    ASSERT_EQ(log.WriteLog(PrintLogCode::lcStart, "/f/FAX00001.APF", "12/09/26 10:41:00"), 0);
    ASSERT_EQ(log.WriteLog(PrintLogCode::lcAborted, "/f/FAX00001.APF", "12/09/26 10:41:05"), 0);
    EXPECT_EQ(test::ReadFile(log.LogFileName),
              "earlier\n"
              "Printing /f/FAX00001.APF started at 12/09/26 10:41:00\n"
              "Printing /f/FAX00001.APF aborted at 12/09/26 10:41:05\n\n");
    EXPECT_EQ(PrintLogText(PrintLogCode::lcFailed, "F", "now"), "Printing F failed at now\n\n");

    log.LogFileName = dir.folder() + "none/FAXPRINT.LOG";
    EXPECT_LT(log.WriteLog(PrintLogCode::lcFinish, "F", "now"), 0);
}

}  // namespace
}  // namespace vl::print
