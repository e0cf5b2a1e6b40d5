// The commands run on received faxes: started without waiting, their
// arguments delivered exactly, their output kept in the log file, and every
// way of failing told once, from the event loop.
#include "ui/ReceiptCommandRunner.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"

namespace vl::test {
namespace {

using namespace std::chrono_literals;

class ReceiptCommandRunnerTest : public ::testing::Test {
protected:
    // Runs the Qt loop until the runner has no command left, or 10 s.
    bool RunUntilDone(const ui::ReceiptCommandRunner& runner)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (runner.Running() > 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        }
        return true;
    }

    // A handler that keeps each reason it is told.
    ui::ReceiptCommandRunner::Failed Record()
    {
        return [this](const std::string& reason) { reasons.push_back(reason); };
    }

    // An executable shell script in the test folder.
    std::string Script(const std::string& name, const std::string& body)
    {
        const std::string file = dir.folder() + name;
        WriteFile(file, "#!/bin/sh\n" + body);
        std::filesystem::permissions(file, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
        return file;
    }

    TempDir dir;
    std::string log = dir.folder() + "receipt-command.log";
    std::vector<std::string> reasons;
};

TEST_F(ReceiptCommandRunnerTest, EachArgumentArrivesWhole)
{
    const std::string out = dir.folder() + "arguments";
    const std::string script =
        Script("record args", "for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" + out + "'\necho recorded\n");
    const std::string hostile = "\"; rm -rf ~ $(reboot) '`id`\n*";
    const std::string faxFile = dir.folder() + "My Faxes/FAX00001.APF";
    ui::ReceiptCommandRunner runner(log);
    runner.Start({script, "--flag", faxFile, hostile}, Record());
    ASSERT_TRUE(RunUntilDone(runner));
    EXPECT_EQ(ReadFile(out), "[--flag]\n[" + faxFile + "]\n[" + hostile + "]\n");
    // An empty station ID is an argument too.
    runner.Start({script, "/r/FAX00002.APF", ""}, Record());
    ASSERT_TRUE(RunUntilDone(runner));
    EXPECT_EQ(ReadFile(out), "[/r/FAX00002.APF]\n[]\n");
    EXPECT_TRUE(reasons.empty());
    // Each run's output follows its command line, quoted to be read back.
    const std::string text = ReadFile(log);
    EXPECT_NE(text.find("'" + script + "' '--flag' '" + faxFile + "' '\"; rm -rf ~ $(reboot) '\\''`id`\n*'\nrecorded\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("'" + script + "' '/r/FAX00002.APF' ''\nrecorded\n"), std::string::npos) << text;
}

TEST_F(ReceiptCommandRunnerTest, FailuresAreToldWithTheirReason)
{
    ui::ReceiptCommandRunner runner(log);
    // A program that cannot start is told at once.
    runner.Start({"vellora-no-such-program", "/r/FAX00001.APF", "ACME"}, Record());
    ASSERT_EQ(reasons, std::vector<std::string>{"could not be started: No such file or directory"});
    EXPECT_EQ(runner.Running(), 0u);
    runner.Start({dir.folder() + "", "/r/FAX00001.APF", "ACME"}, Record());
    EXPECT_EQ(reasons.back(), "could not be started: Permission denied");

    reasons.clear();
    runner.Start({Script("fails", "echo why >&2\nexit 3\n"), "/r/FAX00001.APF", "ACME"}, Record());
    runner.Start({Script("dies", "kill -TERM $$\n"), "/r/FAX00001.APF", "ACME"}, Record());
    runner.Start({"true"}, Record());
    ASSERT_TRUE(RunUntilDone(runner));
    std::sort(reasons.begin(), reasons.end());
    EXPECT_EQ(reasons, (std::vector<std::string>{"exit status 3", "signal 15 (Terminated)"}));
    EXPECT_NE(ReadFile(log).find("why\n"), std::string::npos);
}

TEST_F(ReceiptCommandRunnerTest, ASlowCommandHoldsNothingUpAndAHungOneIsStoppedAtItsLimit)
{
    ui::ReceiptCommandRunner runner(log, 1s);
    const auto start = std::chrono::steady_clock::now();
    // What it started is stopped with it: the script waits on its own child.
    runner.Start({Script("hangs", "sleep 30 &\nwait\n"), "/r/FAX00001.APF", "ACME"}, Record());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
    // The loop goes on meanwhile: the next event (a call, in receive mode)
    // is handled while the command runs.
    std::optional<std::size_t> runningAtNextEvent;
    QTimer::singleShot(0, [&] { runningAtNextEvent = runner.Running(); });
    QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(runningAtNextEvent, 1u);
    ASSERT_TRUE(RunUntilDone(runner));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(reasons, std::vector<std::string>{"still running after 1 second, stopped"});
}

TEST_F(ReceiptCommandRunnerTest, ACommandStillRunningWhenVelloraEndsIsLeftToFinish)
{
    const std::string done = dir.folder() + "done";
    const std::string script = Script("slow", "sleep 1\ntouch '" + done + "'\n");
    {
        ui::ReceiptCommandRunner runner(log);
        runner.Start({script, "/r/FAX00001.APF", "ACME"}, Record());
        EXPECT_EQ(runner.Running(), 1u);
    }
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!std::filesystem::exists(done) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(std::filesystem::exists(done));
    EXPECT_TRUE(reasons.empty());
}

}  // namespace
}  // namespace vl::test
