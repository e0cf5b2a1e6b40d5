#include "faxdoc/DocumentExport.h"

#include <new>
#include <system_error>
#include <vector>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/TextCase.h"
#include "faxdoc/IoErrors.h"
#include "faxdoc/PdfExport.h"
#include "faxdoc/TiffExport.h"

namespace vl::faxdoc {

bool ParseDocumentFormat(std::string_view name, DocumentFormat& format) {
    const std::string upper = base::UpperAscii(name);
    if (upper == "PDF") {
        format = DocumentFormat::Pdf;
    } else if (upper == "TIFF" || upper == "TIF") {
        format = DocumentFormat::Tiff;
    } else {
        return false;
    }
    return true;
}

std::string_view DocumentExtension(DocumentFormat format) {
    return format == DocumentFormat::Pdf ? "PDF" : "TIF";
}

int ExportFaxDocument(const std::string& apfName, DocumentFormat format, const std::string& outName,
                      const UnpackProgressHook& onProgress) {
    try {
        std::vector<G3Page> pages;
        if (int rc = ReadG3Pages(apfName, onProgress, pages); rc != base::ecOK) return rc;
        std::string file;
        const int rc = format == DocumentFormat::Pdf ? EncodeFaxPdf(pages, file) : EncodeFaxTiff(pages, file);
        if (rc != base::ecOK) return rc;
        base::ReplaceFileAtomically(outName, file);
        return base::ecOK;
    } catch (const std::system_error& error) {
        return IoErrorCode(error.code().value(), IoOperation::Write);
    } catch (const std::bad_alloc&) {
        return base::ecOutOfMemory;
    }
}

}  // namespace vl::faxdoc
