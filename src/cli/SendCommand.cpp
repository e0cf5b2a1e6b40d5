// vellora-cli send: one fax through the modem, showing each status change.
#include <clocale>
#include <cstdio>
#include <string>

#include "app/Settings.h"
#include "base/Exceptions.h"
#include "base/MessageWindow.h"
#include "cli/Commands.h"
#include "cli/FaxCommandOptions.h"
#include "cli/InterruptWatch.h"
#include "faxdoc/ApfReader.h"
#include "fax/VlSendFax.h"
#include "serial/VlComPort.h"
#include "session/FaxSettings.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "send";

const char kSendUsage[] =
    "usage: vellora-cli send --port COMn|DEVICE --number NUMBER [--class auto|1|2|2.0]\n"
    "         [--bps N] [--ecm] [--coding mh|mr|mmr] [--station-id ID] [--header TEXT]\n"
    "         [--cover FILE] [--dial-prefix P] [--pulse] [--blind] [--attempts N]\n"
    "         [--retry-wait S] FILE.APF...\n";

int Usage(const std::string& problem)
{
    return BadInput(kGroup, problem + "\n" + kSendUsage);
}

// Defaults from the settings, then what the command line says.
bool Configure(const OptionScan& scan, fax::VlSendFax& fax, std::string& problem)
{
    app::Settings settings;
    app::LoadSettings(settings);
    session::ApplySendSettings(settings,
                               {scan.values.at("--number"), settings.DialPrefix, settings.DialSuffix,
                                settings.PrefixDisable, settings.SuffixDisable},
                               fax);
    if (scan.switches.count("--pulse"))
        fax.ToneDial = false;
    if (scan.switches.count("--blind"))
        fax.BlindDial = true;
    if (!ApplyModemOptions(scan, fax, problem) ||
        !NumberOption(scan, "--attempts", 0, 1000, fax.DialAttempts, problem) ||
        !NumberOption(scan, "--retry-wait", 0, 86400, fax.DialRetryWait, problem))
        return false;
    TextOption(scan, "--header", fax.HeaderLine);
    TextOption(scan, "--cover", fax.CoverFile);
    TextOption(scan, "--dial-prefix", fax.DialPrefix);
    fax.FaxFileList = scan.words;
    return true;
}

// Every file must be an APF file before anything is dialled.
bool CheckFiles(const fax::VlSendFax& fax, std::string& problem)
{
    std::vector<std::string> files = fax.FaxFileList;
    if (!fax.CoverFile.empty())
        files.push_back(fax.CoverFile);
    for (const std::string& file : files) {
        faxdoc::ApfFileHeader header;
        const int rc = faxdoc::ApfReadHeader(file, header);
        if (rc != 0) {
            problem = file + ": " + fax::VlAbstractFax::ErrorText(rc);
            return false;
        }
    }
    return true;
}

}  // namespace

int RunSendCommand(const Args& args)
{
    // Dates and times in history lines and page headers follow the user's locale.
    std::setlocale(LC_TIME, "");
    OptionScan scan;
    std::string problem;
    if (!ScanOptions(args,
                     {"--port", "--number", "--class", "--bps", "--coding", "--station-id", "--header", "--cover",
                      "--dial-prefix", "--attempts", "--retry-wait"},
                     {"--ecm", "--pulse", "--blind"}, scan, problem))
        return Usage(problem);
    if (!scan.values.count("--port") || scan.values.at("--port").empty())
        return Usage("--port is missing");
    if (!scan.values.count("--number") || scan.values.at("--number").empty())
        return Usage("--number is missing");
    if (scan.words.empty())
        return Usage("no fax file given");

    base::MessageLoop loop;
    serial::VlComPort port(loop);
    fax::VlSendFax fax(loop);
    if (!Configure(scan, fax, problem) || !CheckFiles(fax, problem))
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

    std::string shown;
    fax.OnFaxStatus = [&shown](fax::VlAbstractFax& f, bool, bool) {
        const std::string text = f.ProgressText(f.Progress().progress);
        if (text.empty() || text == shown)
            return;
        shown = text;
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    };
    int result = 0;
    fax.OnFaxFinish = [&result, &loop](fax::VlAbstractFax&, int code) {
        result = code;
        loop.PostQuit();
    };
    try {
        fax.StartTransmit();
    } catch (const base::EFaxBadFormat& e) {
        return BadInput(kGroup, e.what());
    }
    if (interrupted)
        fax.CancelFax();
    loop.Run();
    std::printf("%s\n", result == 0 ? "Sent" : fax::VlAbstractFax::ErrorText(result).c_str());
    return result == 0 ? kExitOk : kExitFailed;
}

}  // namespace vl::cli
