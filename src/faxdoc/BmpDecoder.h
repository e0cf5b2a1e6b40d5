// Reads an uncompressed Windows bitmap file. One bit per pixel maps through its
// two palette colours; 4, 8, 16, 24 and 32 bits per pixel are dithered.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "faxdoc/ImageSourceRows.h"

namespace vl::faxdoc {

// Answers 0 with the image's rows, or ecBadGraphicsFormat for compressed,
// damaged or truncated files. `file` must outlive `rows`.
int OpenBmpPage(std::span<const std::uint8_t> file, std::unique_ptr<ImageSourceRows>& rows);

}  // namespace vl::faxdoc
