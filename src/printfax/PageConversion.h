// Documents made into APF files page by page: pages made one at a time, and
// PDF or PostScript rendered by Ghostscript first. The print tool and the
// command line's convert share them, so both give the same pages.
#pragma once

#include <string>

#include "printfax/PageSequenceSource.h"

namespace vl::printfax {

// Each function answers empty when `apfFile` is written, else why not; on
// failure no output file is left (an existing one is replaced only once
// the first page is made).

// `count` pages, each made by `make`, on the whole fax line at fine or
// normal resolution.
std::string ConvertPages(int count, const PageSequenceSource::MakePage& make, bool fine, const std::string& apfFile);

// The PDF or PostScript file `documentFile` rendered into `folder` (private
// to the job, ends in "/") and converted page by page.
std::string ConvertRendered(const std::string& documentFile, const std::string& folder, bool fine,
                            const std::string& apfFile);

// ConvertRendered with a temporary folder of its own, for a document the
// caller names: an unreadable file is told by the system's reason.
std::string ConvertDocumentFile(const std::string& documentFile, bool fine, const std::string& apfFile);

}  // namespace vl::printfax
