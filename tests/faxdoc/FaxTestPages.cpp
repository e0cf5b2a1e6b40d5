#include "FaxTestPages.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {

using faxdoc::PageImage;

PageImage BlankRaster(int width, int height) {
    PageImage image;
    image.width = width;
    image.height = height;
    image.stride = width / 8;
    image.bits.assign(static_cast<std::size_t>(image.stride) * height, 0);
    return image;
}

void SetPixel(PageImage& image, int x, int y) {
    image.bits[static_cast<std::size_t>(y) * image.stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
}

PageImage TextLikeRaster(int width, int height, unsigned seed) {
    PageImage image = BlankRaster(width, height);
    std::mt19937 rng(seed);
    const int margin = width / 12;
    for (int top = 20; top + 24 < height; top += 32) {
        int x = margin;
        while (x < width - margin - 20) {
            const int glyph = 6 + static_cast<int>(rng() % 12);
            if (rng() % 6 == 0) {
                x += 14;  // word gap
                continue;
            }
            for (int y = top; y < top + 20; ++y) {
                for (int gx = x; gx < x + glyph; ++gx) {
                    if (rng() % 3 != 0) SetPixel(image, gx, y);
                }
            }
            x += glyph + 2;
        }
        if (rng() % 4 == 0) {
            for (int gx = 0; gx < width; ++gx) SetPixel(image, gx, top + 26);  // a rule across the page
        }
    }
    return image;
}

PageImage NoiseRaster(int width, int height, unsigned seed, double black) {
    PageImage image = BlankRaster(width, height);
    std::mt19937 rng(seed);
    std::bernoulli_distribution pixel(black);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixel(rng)) SetPixel(image, x, y);
        }
    }
    return image;
}

PageImage DitheredRaster(int width, int height, unsigned seed) {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    PageImage image = BlankRaster(width, height);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-0.06, 0.06);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double grey = static_cast<double>(x) / width * 0.8 + 0.1 + 0.1 * std::sin(y / 17.0 + x / 41.0);
            if ((grey + jitter(rng)) * 16 > kBayer[y % 4][x % 4] + 0.5) SetPixel(image, x, y);
        }
    }
    return image;
}

Lines RowsOf(const PageImage& image) {
    Lines rows;
    for (int y = 0; y < image.height; ++y) rows.emplace_back(image.Row(y), image.Row(y) + image.stride);
    return rows;
}

Bytes Pbmtog3(const PageImage& raster) {
    test::TempDir dir;
    std::string pbm;
    EXPECT_EQ(faxdoc::EncodePbm(raster, pbm), 0);
    test::WriteFile(dir.path() / "page.pbm", pbm);
    // pbmtog3 writes the first bit of the stream in bit 7 unless told otherwise.
    std::vector<std::string> args{"-reversebits"};
    if (raster.width != 1728) args.push_back("-nofixedwidth");
    args.push_back((dir.path() / "page.pbm").string());
    const test::RunResult r = test::Run("/usr/bin/pbmtog3", args);
    EXPECT_EQ(r.status, 0) << r.err;
    return Bytes(r.out.begin(), r.out.end());
}

Bytes StreamOf(const std::string& bitText) {
    Bytes out;
    int n = 0;
    for (char c : bitText) {
        if (c != '0' && c != '1') continue;
        if (n % 8 == 0) out.push_back(0);
        if (c == '1') out.back() |= static_cast<std::uint8_t>(1u << (n % 8));
        ++n;
    }
    return out;
}

Bytes AsLineRecords(const Bytes& raw) {
    // Cut after the byte that holds each EOL's final 1 bit.
    std::vector<std::size_t> cuts{0};
    int zeros = 0;
    for (std::size_t bit = 0; bit < raw.size() * 8; ++bit) {
        if ((raw[bit / 8] >> (bit % 8)) & 1) {
            if (zeros >= 11 && bit / 8 + 1 > cuts.back()) cuts.push_back(bit / 8 + 1);
            zeros = 0;
        } else {
            ++zeros;
        }
    }
    if (cuts.back() != raw.size()) cuts.push_back(raw.size());
    Bytes out;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const std::size_t len = cuts[i + 1] - cuts[i];
        out.push_back(static_cast<std::uint8_t>(len & 0xFF));
        out.push_back(static_cast<std::uint8_t>(len >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(cuts[i]),
                   raw.begin() + static_cast<std::ptrdiff_t>(cuts[i + 1]));
    }
    return out;
}

}  // namespace vl::faxtest
