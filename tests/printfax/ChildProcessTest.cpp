#include "printfax/ChildProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "printfax/JobInput.h"
#include "support/TestSupport.h"

namespace vl::printfax {
namespace {

TEST(ChildProcess, AHangingChildIsKilledAtTheTimeLimit)
{
    test::TempDir dir;
    const auto start = std::chrono::steady_clock::now();
    const ChildOutcome outcome = RunChild({"sleep", "30"}, dir.folder() + "log", {1, 1 << 20});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(outcome.started);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_EQ(outcome.exitCode, -1);
    EXPECT_LT(took, std::chrono::seconds(10));
}

TEST(ChildProcess, ExitCodeOutputAndAMissingProgram)
{
    test::TempDir dir;
    const std::string log = dir.folder() + "log";
    const ChildOutcome failed = RunChild({"sh", "-c", "echo out; echo err >&2; exit 3"}, log, {});
    EXPECT_TRUE(failed.started);
    EXPECT_FALSE(failed.timedOut);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(test::ReadFile(log), "out\nerr\n");

    EXPECT_FALSE(RunChild({"vellora-no-such-program"}, log, {}).started);
}

TEST(ChildProcess, AStartedChildRunsOnWhileItsOutputIsAppended)
{
    test::TempDir dir;
    const std::string log = dir.folder() + "log";
    test::WriteFile(log, "before\n");
    const StartedChild child = StartChild({"sh", "-c", "echo \"$1\"; exit 4", "sh", "one arg"}, log,
                                          ChildLog::Append, std::uint64_t{1} << 20);
    ASSERT_GT(child.pid, 0);
    int status = 0;
    ASSERT_EQ(waitpid(child.pid, &status, 0), child.pid);
    EXPECT_EQ(ChildEnd(status), "exit status 4");
    EXPECT_EQ(test::ReadFile(log), "before\none arg\n");

    const StartedChild missing = StartChild({"vellora-no-such-program"}, log, ChildLog::Append, 1 << 20);
    EXPECT_EQ(missing.pid, -1);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(StartChild({dir.folder()}, log, ChildLog::Append, 1 << 20).error, EACCES);

    const StartedChild group = StartChild({"sh", "-c", "sleep 30 & wait"}, log, ChildLog::Append, 1 << 20);
    ASSERT_GT(group.pid, 0);
    KillChild(group.pid);
    ASSERT_EQ(waitpid(group.pid, &status, 0), group.pid);
    EXPECT_EQ(ChildEnd(status), "signal 9 (Killed)");
}

TEST(ChildProcess, AChildWritingWithoutEndIsStoppedAtTheFileLimit)
{
    test::TempDir dir;
    const ChildOutcome outcome =
        RunChild({"sh", "-c", "exec head -c 10000000 /dev/zero > \"$0\"", dir.folder() + "big"}, dir.folder() + "log",
                 {30, 1 << 20});
    EXPECT_NE(outcome.exitCode, 0);
    EXPECT_LE(std::filesystem::file_size(dir.folder() + "big"), 1u << 20);
}

TEST(JobInput, AJobOverTheLimitIsRefusedAndOneAtItIsRead)
{
    test::TempDir dir;
    test::WriteFile(dir.folder() + "doc", std::string(100, 'x'));
    std::string bytes;
    EXPECT_EQ(ReadJobInput(dir.folder() + "doc", bytes, 100), "");
    EXPECT_EQ(bytes.size(), 100u);
    const std::string failure = ReadJobInput(dir.folder() + "doc", bytes, 99);
    EXPECT_NE(failure.find("more than 99 bytes"), std::string::npos) << failure;
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(ReadJobInput(dir.folder() + "missing", bytes).find("missing: "), std::string::npos);
}

}  // namespace
}  // namespace vl::printfax
