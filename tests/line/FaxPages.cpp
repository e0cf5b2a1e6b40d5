#include "FaxPages.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <sstream>
#include <stdexcept>

#include "support/TestSupport.h"

namespace vl::test {

Bitmap TestPage(int height) {
    Bitmap page{1728, height, {}};
    for (int y = 0; y < height; ++y) {
        std::string row(page.width / 8, '\0');
        for (int x = 0; x < page.width; ++x) {
            const bool bar = x >= 100 && x < 400 && y % 100 >= 20 && y % 100 < 40;
            const bool checker = x >= 500 && x < 1200 && y >= 60 && ((x / 48 + y / 24) % 2 == 0);
            const bool slant = x == (y * 5) % page.width;
            if (bar || checker || slant) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        page.rows.push_back(row);
    }
    return page;
}

std::string PbmFile(const Bitmap& page) {
    std::string file = "P4\n" + std::to_string(page.width) + " " + std::to_string(page.height) + "\n";
    for (const auto& row : page.rows) file += row;
    return file;
}

Bitmap ParsePbm(const std::string& file) {
    std::istringstream in(file);
    std::string magic;
    Bitmap page;
    in >> magic >> page.width >> page.height;
    if (magic != "P4" || !in || page.width <= 0 || page.height <= 0) return {};
    in.get();
    const std::size_t stride = static_cast<std::size_t>(page.width + 7) / 8;
    std::string row(stride, '\0');
    for (int y = 0; y < page.height; ++y) {
        if (!in.read(row.data(), static_cast<std::streamsize>(stride))) return {};
        page.rows.push_back(row);
    }
    return page;
}

void WriteFaxTiff(const Bitmap& page, const std::filesystem::path& tiff) {
    const std::filesystem::path pbm = tiff.string() + ".pbm";
    WriteFile(pbm, PbmFile(page));
    const RunResult r = Run("/usr/bin/efix", {"-i", "pbm", "-o", "tiffg3", pbm.string()});
    if (r.status != 0) throw std::runtime_error("efix failed: " + r.err);
    WriteFile(tiff, r.out);
}

Bitmap ReadFaxTiff(const std::filesystem::path& tiff, int index) {
    const std::filesystem::path page = tiff.string() + ".page.tif";
    const RunResult split =
        Run("/usr/bin/tiffcp", {"-c", "none", tiff.string() + "," + std::to_string(index), page.string()});
    if (split.status != 0) return {};
    return ParsePbm(Run("/usr/bin/tifftopnm", {page.string()}).out);
}

bool FaxTiffPageIsFine(const std::filesystem::path& tiff, int index) {
    const std::string info = Run("/usr/bin/tiffinfo", {"-" + std::to_string(index), tiff.string()}).out;
    // "Resolution: X, Y unit": fine rows are as dense as the columns, in any unit.
    const auto at = info.find("Resolution: ");
    if (at == std::string::npos) return false;
    double x = 0, y = 0;
    if (std::sscanf(info.c_str() + at, "Resolution: %lf, %lf", &x, &y) != 2) return false;
    return y > 0.75 * x;
}

Bitmap InkedRows(const Bitmap& page) {
    auto inked = [](const std::string& row) { return row.find_first_not_of('\0') != std::string::npos; };
    Bitmap out{page.width, 0, {}};
    auto first = page.rows.begin();
    while (first != page.rows.end() && !inked(*first)) ++first;
    auto last = page.rows.end();
    while (last != first && !inked(*(last - 1))) --last;
    out.rows.assign(first, last);
    out.height = static_cast<int>(out.rows.size());
    return out;
}

long DifferingPixels(const Bitmap& a, const Bitmap& b) {
    const auto byte = [](const Bitmap& page, int y, std::size_t x) -> unsigned {
        if (y >= page.height || x >= page.rows[static_cast<std::size_t>(y)].size()) return 0;
        return static_cast<unsigned char>(page.rows[static_cast<std::size_t>(y)][x]);
    };
    const std::size_t stride = static_cast<std::size_t>(std::max(a.width, b.width) + 7) / 8;
    long differ = 0;
    for (int y = 0; y < std::max(a.height, b.height); ++y)
        for (std::size_t x = 0; x < stride; ++x) differ += std::popcount(byte(a, y, x) ^ byte(b, y, x));
    return differ;
}

}  // namespace vl::test
