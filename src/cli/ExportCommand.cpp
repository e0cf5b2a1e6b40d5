// vellora-cli export: one page of an APF file as a PBM, PNG, BMP, PCX or DCX
// image, or every page as one PDF or TIFF document.
#include <cstdio>
#include <string>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/MessageTable.h"
#include "cli/ArgNumbers.h"
#include "cli/Commands.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/OutputFileName.h"
#include "faxdoc/PageExport.h"
#include "faxdoc/Unpacker.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "export";

const char kExportUsage[] =
    "usage: vellora-cli export FILE.APF [--page N] --format pbm|png|bmp|pcx|dcx [-o OUT] [--no-aspect]\n"
    "       vellora-cli export FILE.APF --format pdf|tiff [-o OUT]   (every page)\n";

struct ExportRequest {
    std::string input;
    std::string output;
    int page = 1;
    bool pageGiven = false;
    bool formatGiven = false;
    faxdoc::ExportFormat format = faxdoc::ExportFormat::Pbm;
    // A document holds every page, each at its own resolution.
    bool document = false;
    faxdoc::DocumentFormat documentFormat = faxdoc::DocumentFormat::Pdf;
    bool aspect = true;
};

int Parse(const Args& args, ExportRequest& r) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--page" && hasValue) {
            if (!ParseNumber(args[++i], 1, 65535, r.page))
                return BadInput(kGroup, "'" + args[i] + "' is not a page number");
            r.pageGiven = true;
        } else if (a == "--format" && hasValue) {
            r.document = faxdoc::ParseDocumentFormat(args[++i], r.documentFormat);
            if (!r.document && !faxdoc::ParseExportFormat(args[i], r.format))
                return BadInput(kGroup, "unknown format '" + args[i] + "'\n" + kExportUsage);
            r.formatGiven = true;
        } else if (a == "-o" && hasValue) {
            r.output = args[++i];
        } else if (a == "--no-aspect") {
            r.aspect = false;
        } else if (r.input.empty() && !a.empty() && a[0] != '-') {
            r.input = a;
        } else {
            return BadInput(kGroup, "unexpected '" + a + "'\n" + kExportUsage);
        }
    }
    if (r.input.empty() || !r.formatGiven) return BadInput(kGroup, kExportUsage);
    if (r.document && (r.pageGiven || !r.aspect)) {
        return BadInput(kGroup, "pdf and tiff hold every page at its own resolution: no --page or --no-aspect\n" +
                                    std::string(kExportUsage));
    }
    return kExitOk;
}

int ExportDocument(const ExportRequest& request) {
    const std::string output =
        faxdoc::OutputFileName(request.input, request.output, faxdoc::DocumentExtension(request.documentFormat));
    if (int rc = faxdoc::ExportFaxDocument(request.input, request.documentFormat, output); rc != 0) {
        return Failed(kGroup, request.input + ": " + base::ErrorText(rc));
    }
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace

int RunExportCommand(const Args& args) {
    ExportRequest request;
    if (int rc = Parse(args, request); rc != kExitOk) return rc;
    if (request.document) return ExportDocument(request);
    faxdoc::UnpackOptions options;
    options.aspect = request.aspect ? faxdoc::AspectMode::DoubleHeight : faxdoc::AspectMode::None;
    faxdoc::PageImage page;
    if (int rc = faxdoc::UnpackApfPage(request.input, static_cast<unsigned>(request.page), options, page); rc != 0) {
        return Failed(kGroup, request.input + ": " + base::ErrorText(rc));
    }
    std::string file;
    if (int rc = faxdoc::EncodePage(page, request.format, file); rc != 0) {
        return Failed(kGroup, request.input + ": " + base::ErrorText(rc));
    }
    const std::string output =
        faxdoc::OutputFileName(request.input, request.output, faxdoc::ExportExtension(request.format));
    try {
        base::ReplaceFileAtomically(output, file);
    } catch (const std::system_error& e) {
        return Failed(kGroup, output + ": " + e.what());
    }
    std::printf("%s\n", output.c_str());
    return kExitOk;
}

}  // namespace vl::cli
