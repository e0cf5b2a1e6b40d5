// A whole fax file, every page, as one PDF or TIFF document.
#pragma once

#include <string>
#include <string_view>

#include "faxdoc/G3Page.h"

namespace vl::faxdoc {

enum class DocumentFormat { Pdf, Tiff };

// "pdf", or "tiff" or "tif", in any letter case; false for anything else.
bool ParseDocumentFormat(std::string_view name, DocumentFormat& format);
// "PDF", "TIF": the file name extension.
std::string_view DocumentExtension(DocumentFormat format);

// Writes every page of the APF file into `outName`, replacing it at once and
// whole: on any failure the file there before (or none) is left as it was.
// Answers 0, the errors of ReadG3Pages and of the encoders, or the I/O code
// of a failed write.
int ExportFaxDocument(const std::string& apfName, DocumentFormat format, const std::string& outName,
                      const UnpackProgressHook& onProgress = {});

}  // namespace vl::faxdoc
