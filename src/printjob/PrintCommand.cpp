#include "printjob/PrintCommand.h"

#include <QtGlobal>

#include <cstdio>

#include "printjob/JobDelivery.h"
#include "printfax/JobInput.h"
#include "printfax/JobOptions.h"

namespace vl::printjob {

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Fail(const std::string& why, int code) {
    std::fprintf(stderr, "vellora-print: %s\n", why.c_str());
    return code;
}

}  // namespace

int RunPrintCommand(const std::vector<std::string>& args) {
    // Qt's image plugins complain on standard error about damaged images;
    // the one line saying why the job failed is ours.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    printfax::JobOptions options;
    if (const std::string wrong = printfax::ParseArguments(args, options); !wrong.empty()) {
        LogJob("Failed: " + wrong);
        const int code = Fail(wrong, kExitUsage);
        std::fputs(printfax::kUsage, stderr);
        return code;
    }
    if (options.help) {
        std::fputs(printfax::kUsage, stdout);
        return kExitDone;
    }
    std::string document;
    if (const std::string failure = printfax::ReadJobInput(options.input, document); !failure.empty()) {
        LogJob("Failed: " + failure);
        return Fail(failure, kExitFailed);
    }
    const printfax::JobOutcome outcome = DeliverJob(document, options);
    if (!outcome.failure.empty()) return Fail(outcome.failure, kExitFailed);
    std::printf("%s\n", outcome.faxFile.c_str());
    return kExitDone;
}

}  // namespace vl::printjob
