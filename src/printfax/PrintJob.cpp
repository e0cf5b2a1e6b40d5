#include "printfax/PrintJob.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/Cp1252.h"
#include "base/ErrorCodes.h"
#include "base/MessageTable.h"
#include "faxdoc/ApfReader.h"
#include "printfax/FaxDrop.h"
#include "printfax/ImagePages.h"
#include "printfax/InputKind.h"
#include "printfax/PageConversion.h"
#include "printfax/TempFolder.h"
#include "printfax/TextFax.h"

namespace vl::printfax {

namespace {

constexpr char kPendingExtension[] = ".part";

// The fax file while it is made: in the send folder, so that handing it
// over is a rename, under a name the import never looks at. Removed unless
// handed over.
class PendingFaxFile {
public:
    explicit PendingFaxFile(const std::string& sendFolder) {
        // The converter gives a name without an extension one of its own.
        std::string pattern = sendFolder + ".vellora-print-XXXXXX" + kPendingExtension;
        const int fd = mkstemps(pattern.data(), static_cast<int>(sizeof kPendingExtension - 1));
        if (fd < 0) return;
        // The fax file gets the permissions any new file of the user gets,
        // not the temporary file's private ones.
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
        close(fd);
        path_ = pattern;
    }
    ~PendingFaxFile() {
        std::error_code ec;
        if (!path_.empty()) std::filesystem::remove(path_, ec);
    }
    PendingFaxFile(const PendingFaxFile&) = delete;
    PendingFaxFile& operator=(const PendingFaxFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// Ghostscript reads the document from a file of the job's folder.
std::string ConvertRenderedJob(std::string_view document, const std::string& folder, bool fine,
                               const std::string& apfFile) {
    const std::string documentFile = folder + "job";
    {
        std::ofstream out(documentFile, std::ios::binary);
        out.write(document.data(), static_cast<std::streamsize>(document.size()));
        if (!out.flush()) return "the document could not be stored for rendering in " + folder;
    }
    return ConvertRendered(documentFile, folder, fine, apfFile);
}

std::string ConvertImage(std::string_view document, InputKind kind, bool fine, const std::string& apfFile) {
    ImagePages pages(document, kind, fine);
    if (std::string failure = pages.Open(); !failure.empty()) return failure;
    return ConvertPages(
        pages.Count(), [&pages](int index, gfx::MonoBitmap& page) { return pages.Make(index, page); }, fine, apfFile);
}

std::string Convert(std::string_view document, InputKind kind, bool fine, const std::string& folder,
                    const std::string& apfFile) {
    switch (kind) {
        case InputKind::Pdf:
        case InputKind::PostScript: return ConvertRenderedJob(document, folder, fine, apfFile);
        case InputKind::Png:
        case InputKind::Jpeg:
        case InputKind::Tiff: return ConvertImage(document, kind, fine, apfFile);
        case InputKind::Text: return ConvertTextJob(document, folder, fine, apfFile);
        case InputKind::Binary: break;
    }
    return "the job is binary data of a kind that cannot be faxed (PDF, PostScript, PNG, JPEG, TIFF or text can)";
}

}  // namespace

JobOutcome PrintToFax(std::string_view document, const JobOptions& options, const std::string& sendFolder) {
    JobOutcome outcome;
    if (document.empty()) {
        outcome.failure = "the print job is empty";
        return outcome;
    }
    const TempFolder work;
    if (work.Path().empty()) {
        outcome.failure = "no temporary folder could be made";
        return outcome;
    }
    const PendingFaxFile pending(sendFolder);
    if (pending.Path().empty()) {
        outcome.failure = "cannot write into the send folder " + sendFolder;
        return outcome;
    }
    const bool fine = !options.normal;
    outcome.failure = Convert(document, DetectInputKind(document), fine, work.Path(), pending.Path());
    if (!outcome.failure.empty()) return outcome;
    faxdoc::ApfFileHeader header;
    if (int rc = faxdoc::ApfReadHeader(pending.Path(), header); rc != base::ecOK) {
        outcome.failure = "the fax file could not be read back: " + base::ErrorText(rc);
        return outcome;
    }
    outcome.pages = header.pageCount;
    // Options come from the command line or a print system, in whatever
    // encoding the sender used.
    const app::PrinterDriverSidecar fields{base::Utf8OrCp1252(options.number), base::Utf8OrCp1252(options.recipient),
                                           base::Utf8OrCp1252(SubjectOf(options))};
    outcome.failure = DropFax(sendFolder, pending.Path(), fields, outcome.faxFile);
    return outcome;
}

}  // namespace vl::printfax
