#include "app/PrinterDriverSidecar.h"

#include <gtest/gtest.h>

#include "support/TestSupport.h"

namespace vl::app {
namespace {

TEST(PrinterDriverSidecar, WrittenFieldsReadBackEachOnItsLine)
{
    test::TempDir dir;
    const std::string path = dir.folder() + "FAX00001.KQD";
    // A line end inside a field, a character the tables cannot store, and
    // one they can.
    WriteSidecar(path, {"555\r\n0101", "Ann\nSmith \xE2\x9C\x93", "Caf\xC3\xA9 \xE2\x82\xAC"});
    EXPECT_EQ(test::ReadFile(path), "555  0101\nAnn Smith ?\nCaf\xC3\xA9 \xE2\x82\xAC\n");
    const PrinterDriverSidecar back = ReadSidecar(path);
    EXPECT_EQ(back.phone, "555  0101");
    EXPECT_EQ(back.recipient, "Ann Smith ?");
    EXPECT_EQ(back.subject, "Caf\xC3\xA9 \xE2\x82\xAC");
}

}  // namespace
}  // namespace vl::app
