// Fax pages as a PDF document: a page each, sized from the fax's pixels and
// resolution, showing the page's T.4 data as a one-bit image.
#pragma once

#include <span>
#include <string>

#include "faxdoc/G3Page.h"

namespace vl::faxdoc {

// 0 with `file` filled, or ecBadArgument for no pages (`file` untouched).
int EncodeFaxPdf(std::span<const G3Page> pages, std::string& file);

}  // namespace vl::faxdoc
