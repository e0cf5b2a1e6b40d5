#include "cli/ModemSetupCommands.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/FaxClassCheck.h"
#include "app/ModemCommands.h"
#include "app/ModemSearch.h"
#include "app/Settings.h"
#include "base/MessageWindow.h"
#include "base/PlainText.h"
#include "cli/PortOption.h"
#include "fax/VlSendFax.h"
#include "serial/VlComPort.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "modem";

const char kUsage[] =
    "usage: vellora-cli modem find\n"
    "       vellora-cli modem class --port COMn\n";

// The windows' texts break lines with CR alone as well as CR LF.
std::string TerminalText(const std::string& text)
{
    std::string lines = base::LinuxLines(text);
    std::replace(lines.begin(), lines.end(), '\r', '\n');
    return lines;
}

void PrintLine(const std::string& text)
{
    std::puts(TerminalText(text).c_str());
    std::fflush(stdout);
}

std::string ResetString()
{
    app::Settings settings;
    app::LoadSettings(settings);
    return settings.String;
}

bool ParseComNumber(const Args& args, int& comNumber, std::string& problem)
{
    if (args.size() != 2 || args[0] != "--port") {
        problem = args.empty() ? "--port is missing" : "--port COMn expected";
        return false;
    }
    if (!ParseComName(args[1], comNumber)) {
        problem = "not a COM number: " + args[1];
        return false;
    }
    return true;
}

}  // namespace

int RunModemFind(const Args& args)
{
    if (!args.empty())
        return BadInput(kGroup, std::string("find takes no arguments\n") + kUsage);
    base::MessageLoop loop;
    serial::VlComPort port(loop);
    app::UseProgramPorts(port);
    app::ModemSearch search(port, ResetString());
    search.OnLine = [](int, const std::string& line, bool final) {
        if (final)
            PrintLine(line);
    };
    const int found = search.Run();
    PrintLine(search.Summary());
    return found > 0 ? kExitOk : kExitFailed;
}

int RunModemClass(const Args& args)
{
    int comNumber = 0;
    std::string problem;
    if (!ParseComNumber(args, comNumber, problem))
        return BadInput(kGroup, problem + "\n" + kUsage);
    base::MessageLoop loop;
    serial::VlComPort port(loop);
    app::UseProgramPorts(port);
    fax::VlSendFax sendFax(loop);
    sendFax.SetComPort(&port);
    app::FaxClassCheck check(port, sendFax, comNumber, ResetString());
    // No one is there to answer; going on still finds the classes of a modem
    // that merely ignores a bare "AT".
    check.AskContinue = [](const std::string& caption, const std::string& text) {
        std::fprintf(stderr, "%s: %s\nYes\n", caption.c_str(), TerminalText(text).c_str());
        return true;
    };
    check.ShowMessage = [](const std::string& text) { std::fprintf(stderr, "%s\n", TerminalText(text).c_str()); };
    const int recommended = check.Run();
    sendFax.SetComPort(nullptr);
    for (const app::FaxClassLine& line : check.Lines())
        PrintLine(line.text);
    PrintLine(check.Status());
    return recommended >= 0 ? kExitOk : kExitFailed;
}

}  // namespace vl::cli
