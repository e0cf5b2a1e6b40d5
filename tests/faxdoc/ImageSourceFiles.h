// Image files for the image source tests: pictures, files made by the netpbm
// and libtiff programs, and reading a source to the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "faxdoc/ImageFit.h"
#include "faxdoc/LineSource.h"
#include "faxdoc/PageImage.h"

namespace vl::faxtest {

// Independent pixels, about 40 % black; rows of (width + 7) / 8 bytes.
faxdoc::PageImage SpeckledImage(int width, int height, unsigned seed);
std::string PbmFile(const faxdoc::PageImage& image);
// The image in a raw PBM (P4) file as the netpbm programs write it.
faxdoc::PageImage ParsePbm(const std::string& file);
// A binary PPM (P6) of one colour.
std::string PpmFile(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// Writes `input` to dir/name, runs the program (from /usr/bin) with `args` and then that file
// name, and answers its standard output (empty when the program failed).
std::string Convert(const std::string& dir, const std::string& name, const std::string& input,
                    const std::string& program, std::vector<std::string> args);

struct ReadResult {
    int rc = 0;  // the first error, or 0
    std::vector<std::vector<std::vector<std::uint8_t>>> pages;
    std::vector<faxdoc::ImagePlacement> placements;  // as seen at each page's end
};

// Opens `source` on the file and reads every page until no more follow or an
// error (at most 100 pages).
template <class Source>
ReadResult ReadAll(const std::string& file, const faxdoc::FitRequest& fit = {});

// True when `line` holds the image's row y from byte `offset` on, the rest white.
bool LineShowsRow(const std::vector<std::uint8_t>& line, const faxdoc::PageImage& image, int y, int offset = 0);

}  // namespace vl::faxtest
