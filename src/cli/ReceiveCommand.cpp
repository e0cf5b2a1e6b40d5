// vellora-cli receive: answers calls and stores the faxes, showing the log
// lines as the session goes.
#include <clocale>
#include <cstdio>
#include <string>

#include "app/ProgramFolders.h"
#include "app/Settings.h"
#include "base/MessageWindow.h"
#include "cli/Commands.h"
#include "cli/FaxCommandOptions.h"
#include "cli/InterruptWatch.h"
#include "fax/FaxCodes.h"
#include "fax/VlReceiveFax.h"
#include "serial/VlComPort.h"
#include "session/FaxSettings.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "receive";

const char kReceiveUsage[] =
    "usage: vellora-cli receive --port COMn|DEVICE [--dir DIR] [--class auto|1|2|2.0]\n"
    "         [--ecm] [--coding mh|mr|mmr] [--rings N] [--station-id ID] [--naming 1|2]\n"
    "         [--once]\n";

int Usage(const std::string& problem)
{
    return BadInput(kGroup, problem + "\n" + kReceiveUsage);
}

// Defaults from the settings, then what the command line says.
bool Configure(const OptionScan& scan, fax::VlReceiveFax& fax, std::string& problem)
{
    app::Settings settings;
    app::LoadSettings(settings);
    session::ApplyReceiveSettings(settings, fax);
    if (!ApplyModemOptions(scan, fax, problem))
        return false;
    if (!NumberOption(scan, "--rings", 1, 99, fax.AnswerOnRing, problem) ||
        !NumberOption(scan, "--naming", 1, 2, fax.NamingMode, problem))
        return false;
    std::string folder = app::ReceiveFolder();
    TextOption(scan, "--dir", folder);
    if (folder.empty() || !app::ForceFolders(folder)) {
        problem = "cannot make the folder '" + folder + "'";
        return false;
    }
    fax.SetDestinationDir(folder);
    // With --once a failed call ends the session as well.
    fax.OneFax = fax.ExitOnError = scan.switches.count("--once") != 0;
    return true;
}

}  // namespace

int RunReceiveCommand(const Args& args)
{
    // Dates and times in history lines and page headers follow the user's locale.
    std::setlocale(LC_TIME, "");
    OptionScan scan;
    std::string problem;
    if (!ScanOptions(args, {"--port", "--dir", "--class", "--coding", "--rings", "--station-id", "--naming"},
                     {"--ecm", "--once"}, scan, problem))
        return Usage(problem);
    if (!scan.words.empty())
        return Usage("unexpected '" + scan.words.front() + "'");
    if (!scan.values.count("--port") || scan.values.at("--port").empty())
        return Usage("--port is missing");

    base::MessageLoop loop;
    serial::VlComPort port(loop);
    fax::VlReceiveFax fax(loop);
    if (!Configure(scan, fax, problem))
        return Usage(problem);
    // An interrupt cancels the session, which hangs up before the program ends.
    // One that comes while the session is being prepared is kept until the
    // session runs.
    bool interrupted = false;
    InterruptWatch interrupts(loop, [&fax, &interrupted] {
        interrupted = true;
        fax.CancelFax();
    });
    fax::VlFaxLog history;
    if (const int status = OpenFaxPort(kGroup, scan.values.at("--port"), port, fax, history); status != kExitOk)
        return status;

    int stored = 0;
    fax.OnFaxLog = [&stored](fax::VlAbstractFax& f, int code) {
        std::fputs(f.LogLines(code).c_str(), stdout);
        if (code == fax::kLogReceiveOk) {
            ++stored;
            std::printf("Received: %s\n", f.FaxFile().c_str());
        }
        std::fflush(stdout);
    };
    int result = 0;
    fax.OnFaxFinish = [&result, &loop](fax::VlAbstractFax&, int code) {
        result = code;
        loop.PostQuit();
    };
    fax.StartReceive();
    if (interrupted)
        fax.CancelFax();
    loop.Run();
    if (result != 0)
        std::printf("%s\n", fax::VlAbstractFax::ErrorText(result).c_str());
    if (fax.OneFax)
        return stored > 0 ? kExitOk : kExitFailed;
    return result == 0 ? kExitOk : kExitFailed;
}

}  // namespace vl::cli
