// The command run on receipt on a real call: a fax the machine sends in
// receive mode reaches the command as the file listed in the incoming list,
// with the machine's station ID after it, and the command's failure lands in
// the receive log while the fax stays listed.
#include <filesystem>
#include <string>

#include "WindowCall.h"
#include "base/IniFile.h"
#include "base/MessageWindow.h"
#include "store/Table.h"
#include "ui/QtMessagePump.h"

namespace vl::test {
namespace {

using ReceiptCommandCall = WindowCall;

bool LogHas(ui::MainScreen& window, const std::string& text)
{
    for (const std::string& line : window.Receive().Log().Lines())
        if (line.find(text) != std::string::npos)
            return true;
    return false;
}

TEST_F(ReceiptCommandCall, TheCommandGetsTheListedFileAndTheMachinesIdAndItsFailureIsLogged)
{
    // The script writes each argument in brackets to the file named first,
    // says something on each output, and fails.
    const std::string script = File("record args.sh");
    WriteFile(script, "#!/bin/sh\nout=$1\nshift\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > \"$out\"\n"
                      "echo to output\necho to error >&2\nexit 3\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    const std::string arguments = File("arguments");
    // Stored as the preferences store it (the file's own quoting of a value
    // that starts and ends with a quote).
    base::IniFile ini = base::IniFile::Load(Home() + "VL.INI");
    ini.WriteString("Receive", "Command", "'" + script + "' '" + arguments + "'");
    ini.Save();
    ASSERT_NO_FATAL_FAILURE(StartSendingMachine());

    base::MessageLoop loop;
    ui::QtMessagePump pump(loop);
    ui::MainScreen window(loop);
    ASSERT_TRUE(Activate(window));
    ASSERT_NO_FATAL_FAILURE(StartReceiving(window));
    ASSERT_TRUE(RunUntil([&] { return window.Lists().HasCurrent(app::FaxPage::Incoming); })) << messages_ << Logs();
    ASSERT_TRUE(RunUntil([&] { return LogHas(window, "exit status 3"); }))
        << messages_ << ::testing::PrintToString(window.Receive().Log().Lines());
    // Receive mode is still on, waiting for the next call.
    EXPECT_TRUE(window.Receive().Active());
    window.Action(ui::Command::Receive)->trigger();
    EXPECT_FALSE(window.Receive().Active());

    store::Table* incoming = window.Lists().Incoming();
    const std::string stored = Home() + "RECEIVE/" + incoming->Text("FAXFILE");
    EXPECT_TRUE(std::filesystem::is_regular_file(stored));
    EXPECT_EQ(ReadFile(arguments), "[" + stored + "]\n[+1 555 0199]\n");
    ExpectLogLines("Lastrec.log", {"1 pages received from +1 555 0199"});
    const std::string failure = "The command run on receipt of " + stored + " failed: exit status 3";
    ExpectLogLines("Lastrec.log", {failure.c_str()});
    ExpectLogLines("receipt-command.log", {"to output\nto error\n"});
    EXPECT_EQ(messages_, "");
    window.close();
}

}  // namespace
}  // namespace vl::test
