// Shared by the image file fuzz targets: the input written to a scratch file
// and read through a line source to the end of its last page.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "faxdoc/ImageFit.h"

namespace vl::fuzz {

// The last input byte picks the page width and the placement options.
inline faxdoc::FitRequest FuzzFit(const uint8_t* data, size_t size) {
    const std::uint8_t knobs = size > 0 ? data[size - 1] : 0;
    faxdoc::FitRequest fit;
    fit.pageWidth = (knobs & 1) ? 2048 : 1728;
    fit.leftMargin = (knobs & 2) ? 40 : 0;
    fit.normalResolution = knobs & 4;
    fit.doubleWidth = knobs & 8;
    fit.halfHeight = knobs & 16;
    fit.centerImage = knobs & 32;
    return fit;
}

template <class Source>
void ReadImageFile(const uint8_t* data, size_t size, const char* name) {
    const std::string path = ScratchFolder() + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    Source source(FuzzFit(data, size));
    if (source.Open(path) != 0) return;
    std::vector<std::uint8_t> line;
    bool end = false, more = true;
    while (source.ReadLine(line, end, more) == 0 && (!end || more)) {
    }
    source.Close();
}

}  // namespace vl::fuzz
