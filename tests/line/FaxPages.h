// Fax pages for the line tests: the page sent, and reading back what arrived.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vl::test {

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::string> rows;  // (width + 7) / 8 bytes each, 1 = black

    bool operator==(const Bitmap&) const = default;
};

// A 1728-pixel page with bars, a checkerboard and a slanting line: every run
// length class of the fax codes appears in it.
Bitmap TestPage(int height);
std::string PbmFile(const Bitmap& page);
// A raw PBM (P4) file; an empty bitmap when it is not one.
Bitmap ParsePbm(const std::string& file);

// Writes the page as a G3 TIFF in fine resolution. efax's own converter makes
// it: efax reads a TIFF only in that layout (one strip, directory first).
void WriteFaxTiff(const Bitmap& page, const std::filesystem::path& tiff);
// Page `index` (from 0) of a fax TIFF, decoded by libtiff and netpbm.
Bitmap ReadFaxTiff(const std::filesystem::path& tiff, int index = 0);
// Whether page `index` of a fax TIFF is in fine resolution (about 196 rows
// per inch against 98), as its resolution tags say.
bool FaxTiffPageIsFine(const std::filesystem::path& tiff, int index);

// The rows from the first to the last one with any black: what remains of a
// page once the blank margins a sender adds are set aside.
Bitmap InkedRows(const Bitmap& page);

// How many pixels differ between two pages laid over each other from their
// top left corners, either one white beyond its edges: a decoder may end a
// row at its last black pixel.
long DifferingPixels(const Bitmap& a, const Bitmap& b);

}  // namespace vl::test
