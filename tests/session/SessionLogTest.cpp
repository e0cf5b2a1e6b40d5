// The session log: repeats dropped by their text, and the file it leaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/SessionLog.h"
#include "support/TestSupport.h"

namespace vl::test {
namespace {

using Lines = std::vector<std::string>;

TEST(SessionLogTest, ARepeatedTextIsDroppedEvenUnderANewStamp)
{
    session::SessionLog log;
    log.Add("Waiting for call ", "10:00  ");
    log.Add("Waiting for call ", "10:05  ");
    log.Add("Answering call ", "10:06  ");
    log.Add("Waiting for call ", "10:07  ");
    log.Add("Waiting for call ");
    EXPECT_EQ(log.Lines(), (Lines{"10:00  Waiting for call ", "10:06  Answering call ", "10:07  Waiting for call "}));

    log.Clear();
    EXPECT_TRUE(log.Lines().empty());
    // A cleared log takes the same text again.
    log.Add("Waiting for call ");
    EXPECT_EQ(log.Lines(), Lines{"Waiting for call "});
}

TEST(SessionLogTest, SaveReplacesTheFileAndIgnoresAFolderThatIsMissing)
{
    TempDir dir;
    const std::string file = dir.folder() + "Lastsend.log";
    WriteFile(file, "an older, much longer session log\nwith more lines\n");
    session::SessionLog log;
    log.Add("Start:");
    log.Add("");
    log.Add("Exit");
    log.Save(file);
    EXPECT_EQ(ReadFile(file), "Start:\n\nExit\n");

    log.Save(dir.folder() + "missing/Lastsend.log");
}

}  // namespace
}  // namespace vl::test
