// Decoding one fax page into a PageImage.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/PageImage.h"
#include "faxdoc/UnpackOptions.h"

namespace vl::faxdoc {

// Decodes a page from its image data and image flags (ifHighResolution,
// ifLineRecords; see ApfFormat.h) through blank-line compression, aspect
// correction and scaling. Answers 0, ecBadArgument for contradictory options,
// ecOutOfMemory, or what the progress hook asked for: ecUnpackAbort (the page
// decoded so far is in `page`) or ecGotQuitMsg (`page` empty). Damaged data is
// no error: bad lines are dropped and the rest decodes.
int UnpackPage(std::span<const std::uint8_t> imageData, std::uint16_t imageFlags, const UnpackOptions& options,
               PageImage& page);

// The same for page `pageNumber` (from 1) of an APF file; adds the reader's
// errors (ecFileNotFound for an empty name, ecFaxBadFormat, I/O codes).
int UnpackApfPage(const std::string& fileName, unsigned pageNumber, const UnpackOptions& options, PageImage& page);

}  // namespace vl::faxdoc
