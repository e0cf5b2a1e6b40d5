#include "ImageSourceFiles.h"

#include <random>
#include <sstream>

#include "faxdoc/ImageSourceFormats.h"
#include "faxdoc/PageExport.h"
#include "support/TestSupport.h"

namespace vl::faxtest {

faxdoc::PageImage SpeckledImage(int width, int height, unsigned seed) {
    faxdoc::PageImage image;
    image.width = width;
    image.height = height;
    image.stride = (width + 7) / 8;
    image.bits.assign(static_cast<std::size_t>(image.stride) * height, 0);
    std::mt19937 rng(seed);
    std::bernoulli_distribution black(0.4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (black(rng)) image.bits[static_cast<std::size_t>(y) * image.stride + x / 8] |= 0x80 >> (x % 8);
    return image;
}

std::string PbmFile(const faxdoc::PageImage& image) {
    std::string file;
    faxdoc::EncodePbm(image, file);
    return file;
}

faxdoc::PageImage ParsePbm(const std::string& file) {
    std::istringstream in(file);
    std::string magic;
    faxdoc::PageImage image;
    in >> magic >> image.width >> image.height;
    in.get();
    image.stride = (image.width + 7) / 8;
    const std::size_t at = static_cast<std::size_t>(in.tellg());
    image.bits.assign(file.begin() + static_cast<std::ptrdiff_t>(at), file.end());
    image.bits.resize(static_cast<std::size_t>(image.stride) * image.height);
    return image;
}

std::string PpmFile(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::string file = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (int i = 0; i < width * height; ++i) file += {static_cast<char>(r), static_cast<char>(g), static_cast<char>(b)};
    return file;
}

std::string Convert(const std::string& dir, const std::string& name, const std::string& input,
                    const std::string& program, std::vector<std::string> args) {
    test::WriteFile(dir + name, input);
    args.push_back(dir + name);
    const test::RunResult r = test::Run("/usr/bin/" + program, args);
    return r.status == 0 ? r.out : std::string();
}

template <class Source>
ReadResult ReadAll(const std::string& file, const faxdoc::FitRequest& fit) {
    ReadResult result;
    Source source(fit);
    result.rc = source.Open(file);
    bool more = result.rc == 0;
    while (more && result.pages.size() < 100) {
        result.pages.emplace_back();
        for (;;) {
            std::vector<std::uint8_t> line;
            bool end = false;
            result.rc = source.ReadLine(line, end, more);
            if (result.rc != 0) return result;
            if (end) break;
            result.pages.back().push_back(line);
        }
        result.placements.push_back(source.Placement());
    }
    source.Close();
    return result;
}

template ReadResult ReadAll<faxdoc::TiffSource>(const std::string&, const faxdoc::FitRequest&);
template ReadResult ReadAll<faxdoc::PcxSource>(const std::string&, const faxdoc::FitRequest&);
template ReadResult ReadAll<faxdoc::DcxSource>(const std::string&, const faxdoc::FitRequest&);
template ReadResult ReadAll<faxdoc::BmpSource>(const std::string&, const faxdoc::FitRequest&);

bool LineShowsRow(const std::vector<std::uint8_t>& line, const faxdoc::PageImage& image, int y, int offset) {
    const int bits = static_cast<int>(line.size()) * 8;
    for (int x = 0; x < bits; ++x) {
        const int ix = x - offset * 8;
        const bool want = ix >= 0 && ix < image.width && image.Black(ix, y);
        if (((line[x / 8] >> (7 - x % 8)) & 1) != want) return false;
    }
    return true;
}

}  // namespace vl::faxtest
