// vellora-cli modem: checking that a modem answers, and sending it one command.
#include <cstdio>
#include <string>
#include <vector>

#include "app/ModemCommands.h"
#include "app/Settings.h"
#include "base/MessageWindow.h"
#include "base/PlainText.h"
#include "base/TextCase.h"
#include "cli/Commands.h"
#include "cli/ModemSetupCommands.h"
#include "cli/PortOption.h"
#include "serial/VlComPort.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "modem";

const char kModemUsage[] =
    "usage: vellora-cli modem probe --port COMn|DEVICE\n"
    "       vellora-cli modem command --port COMn|DEVICE COMMAND\n"
    "       vellora-cli modem find\n"
    "       vellora-cli modem class --port COMn\n";

// Ends the reply wait as soon as the modem has refused the command.
struct ModemRefused {};

struct ModemArgs {
    std::string port;
    std::vector<std::string> words;
};

bool ParseModemArgs(const Args& args, ModemArgs& parsed, std::string& problem)
{
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--port") {
            if (i + 1 == args.size()) {
                problem = "--port needs a value";
                return false;
            }
            parsed.port = args[++i];
        } else {
            parsed.words.push_back(args[i]);
        }
    }
    if (parsed.port.empty()) {
        problem = "--port is missing";
        return false;
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

int Probe(serial::VlComPort& port)
{
    app::Settings settings;
    app::LoadSettings(settings);
    if (!app::CheckModem(port, settings.String))
        return Failed(kGroup, "the modem did not answer OK");
    std::puts("OK");
    return kExitOk;
}

int Command(serial::VlComPort& port, const std::string& command)
{
    std::string reply;
    port.SetOnWaitChar([&reply](serial::VlComPort&, char c) {
        reply += c;
        if (c != '\r' && c != '\n')
            return;
        const std::vector<std::string> lines = Lines(reply);
        if (!lines.empty() && lines.back() == "ERROR")
            throw ModemRefused{};
    });
    const bool ok = app::SendModemCommand(port, command);
    bool echoSkipped = false;
    for (const std::string& line : Lines(reply)) {
        // The modem's echo of the command is not part of its reply.
        if (!echoSkipped && (base::EqualsNoCase(line, command) || base::EqualsNoCase(line, "AT" + command))) {
            echoSkipped = true;
            continue;
        }
        std::puts(line.c_str());
    }
    return ok ? kExitOk : kExitFailed;
}

}  // namespace

int RunModemCommand(const Args& args)
{
    const bool probe = !args.empty() && args[0] == "probe";
    const bool command = !args.empty() && args[0] == "command";
    if (!args.empty() && args[0] == "find")
        return RunModemFind(Args(args.begin() + 1, args.end()));
    if (!args.empty() && args[0] == "class")
        return RunModemClass(Args(args.begin() + 1, args.end()));
    if (!probe && !command)
        return BadInput(kGroup, std::string("probe, command, find or class expected\n") + kModemUsage);
    ModemArgs parsed;
    std::string problem;
    if (!ParseModemArgs(args, parsed, problem))
        return BadInput(kGroup, problem + "\n" + kModemUsage);
    if (probe ? !parsed.words.empty() : parsed.words.size() != 1 || parsed.words[0].empty())
        return BadInput(kGroup, std::string(probe ? "probe takes no command\n" : "one command expected\n") +
                                    kModemUsage);
    base::MessageLoop loop;
    serial::VlComPort port(loop);
    if (!ConfigurePort(port, parsed.port))
        return BadInput(kGroup, "not a port: " + parsed.port);
    std::string message;
    if (!app::OpenPort(port, message))
        return Failed(kGroup, base::LinuxLines(message));
    return probe ? Probe(port) : Command(port, parsed.words[0]);
}

}  // namespace vl::cli
