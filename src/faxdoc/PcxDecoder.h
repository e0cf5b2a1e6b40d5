// Reads a monochrome PCX image: one plane of one bit per pixel, run-length coded.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "faxdoc/ImageSourceRows.h"

namespace vl::faxdoc {

inline constexpr std::size_t kPcxHeaderSize = 128;

// Answers 0 with the page's rows, or ecBadGraphicsFormat for a header that is
// not monochrome PCX or an image wider than `maxWidth` pixels. Data that ends
// before the last row fails the row read. `file` must outlive `rows`.
int OpenPcxPage(std::span<const std::uint8_t> file, int maxWidth, std::unique_ptr<ImageSourceRows>& rows);

}  // namespace vl::faxdoc
