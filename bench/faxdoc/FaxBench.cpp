// Times our fax codecs against libtiff's on the same pages: our MH line
// encoder and decoder against Group 3 one-dimensional, our MR coding (K 4)
// against Group 3 two-dimensional, our MMR against Group 4. Text-like pages and
// dithered photos, fine resolution, 1728 pixels wide.
//
//   bench_faxdoc [--pages N]     (default 200 of each kind)
//
// Every page is coded by both, and both decodings must give back the page
// exactly. The last line says whether our encoding and decoding are at least
// as fast as libtiff's for every coding on both kinds of page. Exit status 0 when the run
// completed, 2 on a fault (a decoder returning something else than the page);
// timings alone never fail it, since a debug build or a busy machine says
// nothing about the code.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchPages.h"
#include "OurCodec.h"
#include "TiffCodec.h"
#include "common/BenchMain.h"

namespace vl::bench {

namespace {

// The decoder may hand back a narrower image (it drops white on the right);
// the pixels it left out must be white in the original.
void CheckSame(const faxdoc::PageImage& original, const faxdoc::PageImage& decoded, const std::string& who,
               int pageNumber) {
    auto fail = [&](const std::string& what) {
        throw std::runtime_error(who + " decoded page " + std::to_string(pageNumber) + " wrongly: " + what);
    };
    if (decoded.height != original.height)
        fail(std::to_string(decoded.height) + " rows instead of " + std::to_string(original.height));
    if (decoded.stride > original.stride) fail("wider than the page");
    const auto kept = static_cast<std::size_t>(decoded.stride);
    for (int y = 0; y < original.height; ++y) {
        const std::uint8_t* want = original.Row(y);
        const std::uint8_t* got = decoded.Row(y);
        const bool same = std::equal(want, want + kept, got) &&
                          std::all_of(want + kept, want + original.stride, [](std::uint8_t b) { return b == 0; });
        if (!same) fail("row " + std::to_string(y) + " differs");
    }
}

// One coding as both sides do it.
struct Coding {
    const char* name;
    void (*ourEncode)(const faxdoc::PageImage&, std::vector<std::uint8_t>&);
    faxdoc::PageImage (*ourDecode)(std::span<const std::uint8_t>, int width);
    TiffCoding tiff;
};

faxdoc::PageImage OurMhDecode(std::span<const std::uint8_t> imageData, int) { return OurDecode(imageData); }

constexpr Coding kCodings[] = {
    {"MH", OurEncode, OurMhDecode, TiffCoding::G3OneDim},
    {"MR", OurMrEncode, OurMrDecode, TiffCoding::G3TwoDim},
    {"MMR", OurMmrEncode, OurMmrDecode, TiffCoding::G4},
};
constexpr std::size_t kCodingCount = std::size(kCodings);

struct Timing {
    double ourEncode = 0, tiffEncode = 0, ourDecode = 0, tiffDecode = 0;  // seconds
    std::size_t ourBytes = 0, tiffBytes = 0;
};

struct SetResult {
    const char* name = "";
    int pages = 0;
    Timing codings[kCodingCount];
};

// Each page goes through all steps of every coding before the next is made,
// so memory stays small and both codecs see the same cache state.
SetResult RunSet(const char* name, int pages, faxdoc::PageImage (*make)(unsigned)) {
    SetResult r;
    r.name = name;
    r.pages = pages;
    std::vector<std::uint8_t> ours, tiff;
    for (int i = 0; i < pages; ++i) {
        const faxdoc::PageImage page = make(static_cast<unsigned>(i + 1));
        for (std::size_t c = 0; c < kCodingCount; ++c) {
            const Coding& coding = kCodings[c];
            Timing& t = r.codings[c];
            t.ourEncode += Seconds([&] { coding.ourEncode(page, ours); });
            t.tiffEncode += Seconds([&] { TiffEncode(page, coding.tiff, tiff); });
            faxdoc::PageImage ourPage, tiffPage;
            t.ourDecode += Seconds([&] { ourPage = coding.ourDecode(ours, page.width); });
            t.tiffDecode += Seconds([&] { tiffPage = TiffDecode(tiff); });
            CheckSame(page, ourPage, std::string("our ") + coding.name + " decoder", i + 1);
            CheckSame(page, tiffPage, std::string("libtiff ") + coding.name, i + 1);
            t.ourBytes += ours.size();
            t.tiffBytes += tiff.size();
        }
    }
    return r;
}

double PagesPerSecond(int pages, double seconds) { return seconds > 0 ? pages / seconds : 0; }

// Our speed over libtiff's: above 1 means ours is faster.
double Ratio(double ourSeconds, double tiffSeconds) { return ourSeconds > 0 ? tiffSeconds / ourSeconds : 0; }

int Main(int argc, char** argv) {
    int pages = 200;
    for (int i = 1; i < argc; i += 2) {
        if (std::strcmp(argv[i], "--pages") == 0 && i + 1 < argc) pages = std::max(1, std::stoi(argv[i + 1]));
        else throw std::invalid_argument(std::string("unknown option ") + argv[i]);
    }
    const SetResult sets[] = {RunSet("text", pages, TextPage), RunSet("photo", pages, PhotoPage)};

    std::printf("%d pages of each kind, %d x %d, fine resolution; speeds in pages per second\n", pages,
                kBenchPageWidth, kBenchPageHeight);
    std::printf("%-10s %10s %10s %8s %10s %10s %8s %11s %11s\n", "set", "enc ours", "enc tiff", "ratio", "dec ours",
                "dec tiff", "ratio", "KB/pg ours", "KB/pg tiff");
    bool atLeastAsFast = true;
    for (const SetResult& r : sets) {
        for (std::size_t c = 0; c < kCodingCount; ++c) {
            const Timing& t = r.codings[c];
            const double encodeRatio = Ratio(t.ourEncode, t.tiffEncode);
            const double decodeRatio = Ratio(t.ourDecode, t.tiffDecode);
            atLeastAsFast = atLeastAsFast && encodeRatio >= 1.0 && decodeRatio >= 1.0;
            const std::string label = std::string(r.name) + " " + kCodings[c].name;
            std::printf("%-10s %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f %11.1f %11.1f\n", label.c_str(),
                        PagesPerSecond(r.pages, t.ourEncode), PagesPerSecond(r.pages, t.tiffEncode), encodeRatio,
                        PagesPerSecond(r.pages, t.ourDecode), PagesPerSecond(r.pages, t.tiffDecode), decodeRatio,
                        t.ourBytes / 1024.0 / r.pages, t.tiffBytes / 1024.0 / r.pages);
        }
    }
    std::printf("ratio = our pages per second / libtiff's\n");
    std::printf("our encoding and decoding at least as fast as libtiff for every coding on both sets: %s\n",
                atLeastAsFast ? "yes" : "no");
    return 0;
}

}  // namespace

}  // namespace vl::bench

int main(int argc, char** argv) { return vl::bench::RunBenchmark("bench_faxdoc", vl::bench::Main, argc, argv); }
