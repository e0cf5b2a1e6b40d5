// The page coding of the fax document library, as the converter and the
// viewer use it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::bench {

// A page's image data: one line record per row behind its count word, then
// the end-of-page record. `out` is replaced.
void OurEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out);
// Decodes fine-resolution line-record image data with no aspect correction,
// blank-line compression or scaling. Throws when the unpacker fails.
faxdoc::PageImage OurDecode(std::span<const std::uint8_t> imageData);

}  // namespace vl::bench
