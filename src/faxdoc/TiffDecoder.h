// Reads the first image of a TIFF file: one bit per sample, uncompressed,
// PackBits or fax coded (T.4 one- and two-dimensional, T.6), in strips,
// either byte order and either fill order.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "faxdoc/ImageSourceRows.h"

namespace vl::faxdoc {

// Answers 0 with the page's rows, or ecBadGraphicsFormat for anything else,
// including damaged files; the rows answer ecDeviceRead where the file ends
// inside a strip. A non-zero photometric interpretation reads as black is
// zero. `file` must outlive `rows`.
int OpenTiffPage(std::span<const std::uint8_t> file, std::unique_ptr<ImageSourceRows>& rows);

}  // namespace vl::faxdoc
