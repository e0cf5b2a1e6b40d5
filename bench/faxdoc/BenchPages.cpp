#include "BenchPages.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace vl::bench {

namespace {

constexpr int kStride = kBenchPageWidth / 8;
constexpr int kGlyphRows = 24;
constexpr int kBaseline = 19;  // glyph rows below it are descenders
constexpr int kGlyphCount = 48;

faxdoc::PageImage WhitePage() {
    faxdoc::PageImage page;
    page.width = kBenchPageWidth;
    page.height = kBenchPageHeight;
    page.stride = kStride;
    page.bits.assign(static_cast<std::size_t>(kStride) * kBenchPageHeight, 0);
    return page;
}

void SetPixel(faxdoc::PageImage& page, int x, int y) {
    page.bits[static_cast<std::size_t>(y) * kStride + static_cast<std::size_t>(x >> 3)] |=
        static_cast<std::uint8_t>(0x80 >> (x & 7));
}

// Row masks with bit 31 the leftmost pixel.
struct Glyph {
    int width = 0;
    std::array<std::uint32_t, kGlyphRows> rows{};

    void Set(int x, int y) {
        if (x >= 0 && x < width && y >= 0 && y < kGlyphRows) rows[y] |= 0x80000000u >> x;
    }
};

// A few strokes in a box: stems, bars, a bowl or a diagonal, two pixels thick.
Glyph MakeGlyph(std::mt19937& rng) {
    Glyph g;
    g.width = std::uniform_int_distribution<int>(9, 16)(rng);
    const int top = std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 0 : 6;
    const int bottom = std::uniform_int_distribution<int>(0, 5)(rng) == 0 ? kGlyphRows : kBaseline;
    const int strokes = std::uniform_int_distribution<int>(2, 4)(rng);
    std::uniform_int_distribution<int> kind(0, 4);
    for (int s = 0; s < strokes; ++s) {
        switch (kind(rng)) {
        case 0: {  // stem
            const int x = std::uniform_int_distribution<int>(0, g.width - 3)(rng);
            for (int y = top; y < bottom; ++y)
                for (int dx = 0; dx < 3; ++dx) g.Set(x + dx, y);
            break;
        }
        case 1: {  // bar
            const int y = std::uniform_int_distribution<int>(top, kBaseline - 2)(rng);
            for (int x = 0; x < g.width; ++x)
                for (int dy = 0; dy < 2; ++dy) g.Set(x, y + dy);
            break;
        }
        case 2: {  // bowl
            const double cx = (g.width - 1) / 2.0, cy = (6 + kBaseline - 1) / 2.0;
            const double rx = g.width / 2.0, ry = (kBaseline - 6) / 2.0;
            for (int y = 6; y < kBaseline; ++y) {
                for (int x = 0; x < g.width; ++x) {
                    const double d = std::pow((x - cx) / rx, 2) + std::pow((y - cy) / ry, 2);
                    if (d >= 0.55 && d <= 1.0) g.Set(x, y);
                }
            }
            break;
        }
        default: {  // diagonal
            const bool rising = kind(rng) % 2 == 0;
            for (int y = top; y < bottom; ++y) {
                const int x = (y - top) * (g.width - 3) / std::max(1, bottom - top - 1);
                for (int dx = 0; dx < 3; ++dx) g.Set(rising ? g.width - 3 - x + dx : x + dx, y);
            }
            break;
        }
        }
    }
    return g;
}

const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = [] {
        std::mt19937 rng(1234);
        std::vector<Glyph> made;
        for (int i = 0; i < kGlyphCount; ++i) made.push_back(MakeGlyph(rng));
        return made;
    }();
    return glyphs;
}

// ORs a glyph in with its left edge at x and its top row at y.
void Blit(faxdoc::PageImage& page, const Glyph& g, int x, int y) {
    const auto byte = static_cast<std::size_t>(x >> 3);
    const int shift = x & 7;
    for (int r = 0; r < kGlyphRows; ++r) {
        const std::uint64_t v = std::uint64_t{g.rows[r]} << (32 - shift);  // bit 63 is the byte's leftmost pixel
        std::uint8_t* row = page.bits.data() + static_cast<std::size_t>(y + r) * kStride + byte;
        for (int k = 0; k < 5; ++k) row[k] |= static_cast<std::uint8_t>(v >> (56 - 8 * k));
    }
}

}  // namespace

faxdoc::PageImage TextPage(unsigned seed) {
    constexpr int kLeft = 150, kRight = kBenchPageWidth - 150, kTop = 180, kBottom = kBenchPageHeight - 180;
    constexpr int kLinePitch = 40, kLetterGap = 3, kWordGap = 14;
    faxdoc::PageImage page = WhitePage();
    const std::vector<Glyph>& glyphs = Glyphs();
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::size_t> pick(0, glyphs.size() - 1);
    std::uniform_int_distribution<int> wordLength(1, 9), paragraphLines(4, 12);
    int linesLeft = paragraphLines(rng);
    bool first = true;
    for (int y = kTop; y + kGlyphRows <= kBottom; y += kLinePitch) {
        // The last line of a paragraph stops short, and a blank line follows.
        const bool last = --linesLeft == 0;
        const int right = last ? std::uniform_int_distribution<int>(kLeft + 100, kRight)(rng) : kRight;
        int x = first ? kLeft + 40 : kLeft;  // a paragraph's first line is indented
        first = last;
        while (true) {
            const int letters = wordLength(rng);
            int width = 0;
            std::array<std::size_t, 9> word{};
            for (int i = 0; i < letters; ++i) {
                word[i] = pick(rng);
                width += glyphs[word[i]].width + kLetterGap;
            }
            if (x + width > right) break;
            for (int i = 0; i < letters; ++i) {
                Blit(page, glyphs[word[i]], x, y);
                x += glyphs[word[i]].width + kLetterGap;
            }
            x += kWordGap;
        }
        if (last) {
            y += kLinePitch;
            linesLeft = paragraphLines(rng);
        }
    }
    return page;
}

faxdoc::PageImage PhotoPage(unsigned seed) {
    faxdoc::PageImage page = WhitePage();
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> phase(0, 6.283);
    const double px = phase(rng), py = phase(rng);
    std::vector<double> across(kBenchPageWidth), down(kBenchPageHeight);
    for (int x = 0; x < kBenchPageWidth; ++x) across[x] = 0.2 * std::sin(x / 97.0 + px);
    for (int y = 0; y < kBenchPageHeight; ++y) down[y] = 0.2 * std::cos(y / 131.0 + py);
    std::minstd_rand noise(seed);
    // Darkness from 0 (white) to 1 (black).
    auto grey = [&](int x, int y) {
        const double ramp = static_cast<double>(x + y) / (kBenchPageWidth + kBenchPageHeight);
        const double jitter = (static_cast<double>(noise() % 1024) / 1024 - 0.5) * 0.16;
        return std::clamp(0.1 + 0.8 * ramp + across[x] + down[y] + jitter, 0.0, 1.0);
    };
    if (seed % 2 == 0) {
        static constexpr std::array<std::array<int, 4>, 4> kBayer = {
            {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};
        for (int y = 0; y < kBenchPageHeight; ++y)
            for (int x = 0; x < kBenchPageWidth; ++x)
                if (grey(x, y) * 16 > kBayer[y & 3][x & 3] + 0.5) SetPixel(page, x, y);
        return page;
    }
    // Floyd-Steinberg: the error of each pixel goes to its unvisited neighbours.
    std::vector<double> here(kBenchPageWidth + 2, 0), next(kBenchPageWidth + 2, 0);
    for (int y = 0; y < kBenchPageHeight; ++y) {
        std::fill(next.begin(), next.end(), 0.0);
        for (int x = 0; x < kBenchPageWidth; ++x) {
            const double want = grey(x, y) + here[x + 1];
            const double got = want >= 0.5 ? 1.0 : 0.0;
            if (got > 0) SetPixel(page, x, y);
            const double error = want - got;
            here[x + 2] += error * 7 / 16;
            next[x] += error * 3 / 16;
            next[x + 1] += error * 5 / 16;
            next[x + 2] += error * 1 / 16;
        }
        std::swap(here, next);
    }
    return page;
}

}  // namespace vl::bench
