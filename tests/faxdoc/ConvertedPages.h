// Reading back the APF files the converter wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/PageImage.h"

namespace vl::faxtest {

struct ConvertedPage {
    faxdoc::ApfPageHeader header;
    std::vector<std::vector<std::uint8_t>> records;  // line records without their count words
    faxdoc::PageImage image;                         // our unpacker's pixels, no aspect correction
};

struct ConvertedFile {
    faxdoc::ApfFileHeader header;
    std::vector<ConvertedPage> pages;
};

// The unpacked page ends at its widest inked byte; pixels beyond it are white.
inline bool Ink(const faxdoc::PageImage& page, int x, int y) { return x < page.width && page.Black(x, y); }

// Fails the calling test when the file cannot be read.
ConvertedFile ReadConverted(const std::string& apfFile);

// The page's records as one MH stream, the end-of-page record included.
std::vector<std::uint8_t> RecordStream(const ConvertedPage& page);

}  // namespace vl::faxtest
