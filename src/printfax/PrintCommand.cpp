#include "printfax/PrintCommand.h"

#include <QtGlobal>

#include <cstdio>
#include <ctime>

#include "app/FaxFolderFiles.h"
#include "app/PrinterDriverLink.h"
#include "app/ProgramFolders.h"
#include "base/AppendFile.h"
#include "printfax/ImportRequest.h"
#include "printfax/JobInput.h"
#include "printfax/JobOptions.h"
#include "printfax/PrintJob.h"

namespace vl::printfax {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// A print system runs the tool with no one watching: the log is where a
// user finds what became of a job. Failures to log are not the job's.
void Log(const std::string& text) {
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    base::AppendToFile(app::ProgramFile("vellora-print.log"), stamp + text + "\n");
}

int Fail(const std::string& why, int code) {
    std::fprintf(stderr, "vellora-print: %s\n", why.c_str());
    Log("Failed: " + why);
    return code;
}

// The folder VLPD.INI names; before Vellora's first start there is no such
// file yet, and the send folder Vellora will use is taken.
std::string SendFolderOfLink() {
    std::string folder = app::ReadPrinterDriverLink().VLOutPath;
    if (folder.empty() || folder == app::kLinkNotFound) folder = app::SendFolder();
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

int RunPrintCommand(const std::vector<std::string>& args) {
    // Qt's image plugins complain on standard error about damaged images;
    // the one line saying why the job failed is ours.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    JobOptions options;
    if (const std::string wrong = ParseArguments(args, options); !wrong.empty()) {
        const int code = Fail(wrong, kExitUsage);
        std::fputs(kUsage, stderr);
        return code;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    std::string document;
    if (const std::string failure = ReadJobInput(options.input, document); !failure.empty())
        return Fail(failure, kExitFailed);
    const std::string sendFolder = SendFolderOfLink();
    app::ForceFolders(sendFolder);
    const JobOutcome outcome = PrintToFax(document, options, sendFolder);
    if (!outcome.failure.empty()) return Fail(outcome.failure, kExitFailed);
    Log("Printed " + std::to_string(outcome.pages) + " page(s) to " + app::FileNameOf(outcome.faxFile));
    std::printf("%s\n", outcome.faxFile.c_str());
    AskVelloraToImport(app::ProgramFolder());
    return kExitDone;
}

}  // namespace vl::printfax
