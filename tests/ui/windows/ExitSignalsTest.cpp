// The desktop program ended by a signal (a session logout sends SIGTERM, a
// closed terminal SIGHUP, Ctrl+C SIGINT): it ends as its Exit command does,
// with status 0, the settings, placement and list layout saved, and in
// receive mode the modem hung up and its lock file gone.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "FakeModem.h"
#include "app/Settings.h"
#include "base/IniFile.h"
#include "serial/UucpLock.h"
#include "support/TestSupport.h"

extern char** environ;

namespace vl::test {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    const auto until = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until)
            return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The desktop program on the offscreen platform with its own data folder.
class DesktopProgram {
public:
    explicit DesktopProgram(const std::string& home)
    {
        std::vector<std::string> env = {"VELLORA_HOME=" + home, "QT_QPA_PLATFORM=offscreen"};
        for (char** e = environ; *e; ++e) {
            const std::string_view entry(*e);
            if (entry.rfind("VELLORA_HOME=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
                env.emplace_back(entry);
        }
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string path = VL_VELLORA_PATH;
        char* argv[] = {path.data(), nullptr};
        pid_ = fork();
        if (pid_ == 0) {
            const int null = open("/dev/null", O_RDWR);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execve(argv[0], argv, envp.data());
            _exit(127);
        }
    }

    ~DesktopProgram()
    {
        if (pid_ > 0 && !ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    pid_t Pid() const { return pid_; }

    // The wait status once the program ended within the time, else nothing.
    std::optional<int> WaitForEnd(std::chrono::milliseconds timeout)
    {
        int status = 0;
        if (!WaitUntil([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, timeout))
            return std::nullopt;
        ended_ = true;
        return status;
    }

private:
    pid_t pid_ = -1;
    bool ended_ = false;
};

std::string Describe(int status)
{
    if (WIFEXITED(status))
        return "exit status " + std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return std::string("killed by ") + strsignal(WTERMSIG(status));
    return "status " + std::to_string(status);
}

class ExitSignalTest : public ::testing::TestWithParam<int> {};

TEST_P(ExitSignalTest, EndsAsExitDoesAndSavesSettingsPlacementAndLayout)
{
    TempDir home;
    DesktopProgram program(home.folder());
    ASSERT_GT(program.Pid(), 0);
    // The first activation writes the printer driver's link file last but one.
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(home.folder() + "VLPD.INI"); }, 20s));
    std::this_thread::sleep_for(300ms);
    ASSERT_FALSE(std::filesystem::exists(home.folder() + "Out.gco"));

    ASSERT_EQ(kill(program.Pid(), GetParam()), 0);
    const std::optional<int> status = program.WaitForEnd(5s);
    ASSERT_TRUE(status.has_value()) << "still running after the signal";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << Describe(*status);

    const base::IniFile ini = base::IniFile::Load(home.folder() + "VL.INI");
    EXPECT_EQ(ini.ReadString(app::kVersionSection, app::kVersionKey, ""), app::kProgramVersion);
    EXPECT_NE(ini.ReadInteger("MainScreen_Placement", "Bottom", 0), 0);
    EXPECT_TRUE(std::filesystem::exists(home.folder() + "Out.gco"));
    EXPECT_TRUE(std::filesystem::exists(home.folder() + "Out.gcs"));
}

INSTANTIATE_TEST_SUITE_P(Signals, ExitSignalTest, ::testing::Values(SIGTERM, SIGHUP, SIGINT),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

TEST(ExitSignalReceiveTest, SigtermInReceiveModeHangsUpSendsTheAfterStringAndFreesThePort)
{
    TempDir home;
    FakeModemScript script;
    script.responder = [](const std::string&) { return std::string("\r\nOK\r\n"); };
    FakeModem modem(script);
    {
        base::IniFile ini = base::IniFile::Load(home.folder() + "VL.INI");
        ini.WriteString("Ports", "COM7", modem.SlavePath());
        ini.WriteInteger("Modem", "ComPort", 6);
        ini.WriteBool("Receive", "AtStartup", true);
        ini.WriteString("Resetting", "AfterString", "ATX3M0");
        ini.Save();
    }
    const std::vector<std::string> lockFolders = serial::LockFolders(home.folder());
    DesktopProgram program(home.folder());
    ASSERT_GT(program.Pid(), 0);
    // Receive mode holds the port, then the engine sets the modem up and waits for calls.
    ASSERT_TRUE(WaitUntil([&] { return serial::LockHolder(modem.SlavePath(), lockFolders).has_value(); }, 20s));
    std::size_t seen = 0;
    int quietPolls = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::size_t now = modem.Commands().size();
            quietPolls = now == seen ? quietPolls + 1 : 0;
            seen = now;
            return now > 2 && quietPolls >= 25;
        },
        15s));
    EXPECT_EQ(serial::LockHolder(modem.SlavePath(), lockFolders)->pid, program.Pid());
    const std::size_t before = modem.Commands().size();

    ASSERT_EQ(kill(program.Pid(), SIGTERM), 0);
    const std::optional<int> status = program.WaitForEnd(10s);
    ASSERT_TRUE(status.has_value()) << "still running after the signal";
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << Describe(*status);

    const std::vector<std::string> all = modem.Commands();
    const std::vector<std::string> after(all.begin() + static_cast<long>(before), all.end());
    const auto sent = [&](const std::string& text) {
        return std::any_of(after.begin(), after.end(),
                           [&](const std::string& c) { return c.find(text) != std::string::npos; });
    };
    EXPECT_TRUE(sent("ATH")) << ::testing::PrintToString(after);
    EXPECT_TRUE(sent("ATX3M0")) << ::testing::PrintToString(after);
    EXPECT_FALSE(serial::LockHolder(modem.SlavePath(), lockFolders).has_value());
    for (const std::string& folder : lockFolders)
        EXPECT_FALSE(std::filesystem::exists(folder + serial::LockFileName(modem.SlavePath()))) << folder;
}

}  // namespace
}  // namespace vl::test
