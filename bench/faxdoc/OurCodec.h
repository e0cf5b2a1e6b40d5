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

// The page as one fine-resolution MR (K 4) or MMR stream, RTC or EOFB at its
// end. `out` is replaced.
void OurMrEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out);
void OurMmrEncode(const faxdoc::PageImage& page, std::vector<std::uint8_t>& out);
// Decodes such a stream of a page `width` pixels wide. Throws when the
// decoder finds a fault.
faxdoc::PageImage OurMrDecode(std::span<const std::uint8_t> stream, int width);
faxdoc::PageImage OurMmrDecode(std::span<const std::uint8_t> stream, int width);

}  // namespace vl::bench
