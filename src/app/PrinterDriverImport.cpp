// Faxes the printer driver leaves in the send folder: a fax file and a
// sidecar of the same name with ".kqd", both matched without regard to case.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/FaxFileNames.h"
#include "app/FaxFolderFiles.h"
#include "app/FaxOperations.h"
#include "app/FieldText.h"
#include "app/PrinterDriverSidecar.h"
#include "base/TextCase.h"

namespace vl::app {

namespace {

constexpr std::string_view kSidecarExtension = ".KQD";

std::vector<std::string> SidecarsIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.size() > kSidecarExtension.size() &&
            base::EqualsNoCase(std::string_view(name).substr(name.size() - kSidecarExtension.size()),
                               kSidecarExtension) &&
            it->is_regular_file(typeError))
            names.push_back(name);
    }
    // The folder's own order differs between file systems; the names' order
    // is the order the driver numbered them in.
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

int FaxOperations::ImportPrinterDriverFaxes() {
    if (!lists_.Outgoing()) return 0;
    const std::vector<std::string> sidecars = SidecarsIn(FaxFolderPath(programFolder_, FaxFolder::Send));
    int added = 0;
    for (const std::string& sidecar : sidecars) added += ImportOne(sidecar) ? 1 : 0;
    if (!sidecars.empty()) lists_.ReloadOutgoing();
    return added;
}

// A sidecar whose fax file is not there (yet) stays for the next import.
bool FaxOperations::ImportOne(const std::string& sidecar) {
    const std::string folder = FaxFolderPath(programFolder_, FaxFolder::Send);
    const std::string stem = sidecar.substr(0, sidecar.size() - kSidecarExtension.size());
    const std::optional<std::string> fax = ExistingFaxFile(programFolder_, FaxFolder::Send, stem + ".APF");
    store::Table* table = lists_.Outgoing();
    if (!fax || !table) return false;
    // A name the record cannot hold would go in cut short and name no file:
    // the fax takes the next free send file name instead.
    std::string path = *fax;
    if (const std::string name = FileNameOf(path); FitToField(*table, "FAXDOC", name) != name) {
        path = NextFreeFaxFileName(folder, "FAX");
        if (!MoveToFreeName(*fax, path)) return false;
    }
    // Until the record is in, the sidecar must still find its fax file.
    auto giveNameBack = [&] {
        if (path != *fax) MoveToFreeName(path, *fax);
    };
    try {
        const PrinterDriverSidecar fields = ReadSidecar(folder + sidecar);
        table->AppendBlank();
        table->SetText("FAXDOC", FileNameOf(path));
        table->SetText("RECIPIENT", FitToField(*table, "RECIPIENT", fields.recipient));
        table->SetText("SUBJECT", FitToField(*table, "SUBJECT", fields.subject));
        table->SetText("PHONE", FitToField(*table, "PHONE", fields.phone));
        table->Post();
        // A sidecar that cannot go would bring the fax in again next time.
        std::error_code ec;
        if (!std::filesystem::remove(folder + sidecar, ec)) {
            table->Delete();
            giveNameBack();
            return false;
        }
    } catch (const store::EStoreError&) {
        giveNameBack();
        return false;
    }
    prompts_.ProcessMessages();
    return true;
}

}  // namespace vl::app
