#include "printjob/JobDelivery.h"

#include <ctime>

#include "app/FaxFolderFiles.h"
#include "app/InstanceRequests.h"
#include "app/PrinterDriverLink.h"
#include "app/ProgramFolders.h"
#include "base/AppendFile.h"
#include "instance/InstanceRequestSender.h"

namespace vl::printjob {

namespace {

// The folder VLPD.INI names; before Vellora's first start there is no such
// file yet, and the send folder Vellora will use is taken.
std::string SendFolderOfLink() {
    std::string folder = app::ReadPrinterDriverLink().VLOutPath;
    if (folder.empty() || folder == app::kLinkNotFound) folder = app::SendFolder();
    if (folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

void LogJob(const std::string& text) {
    char stamp[32] = "";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local)) std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S ", &local);
    base::AppendToFile(app::ProgramFile("vellora-print.log"), stamp + text + "\n");
}

printfax::JobOutcome DeliverJob(std::string_view document, const printfax::JobOptions& options) {
    const std::string sendFolder = SendFolderOfLink();
    app::ForceFolders(sendFolder);
    const printfax::JobOutcome outcome = printfax::PrintToFax(document, options, sendFolder);
    if (!outcome.failure.empty()) {
        LogJob("Failed: " + outcome.failure);
        return outcome;
    }
    LogJob("Printed " + std::to_string(outcome.pages) + " page(s) to " + app::FileNameOf(outcome.faxFile));
    // No copy running is no failure: Vellora imports at its next activation.
    instance::SendInstanceRequest(app::ProgramFolder(), app::kImportRequest);
    return outcome;
}

}  // namespace vl::printjob
