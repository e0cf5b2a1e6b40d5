// Hand-made files for the layouts the converting programs never write.
#include <gtest/gtest.h>

#include "ImageSourceFiles.h"
#include "faxdoc/ImageSourceFormats.h"
#include "support/TestSupport.h"

namespace vl::faxtest {
namespace {

using Line = std::vector<std::uint8_t>;

void Put(std::string& s, std::uint32_t v, int bytes, bool bigEndian) {
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * (bigEndian ? bytes - 1 - i : i))));
}

// The first two bytes of each line: the image is 12 or 16 pixels wide.
std::vector<Line> Heads(const ReadResult& r) {
    std::vector<Line> heads;
    for (const Line& line : r.pages.at(0)) heads.push_back({line.at(0), line.at(1)});
    return heads;
}

class ImageSourceLayoutTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        test::WriteFile(dir_.path() / name, bytes);
        return dir_.folder() + name;
    }
    test::TempDir dir_;
};

// Big-endian, strip offsets as two shorts held in the entry itself, no byte
// counts; PackBits with the no-op code and a run longer than the row.
TEST_F(ImageSourceLayoutTest, TiffPackBitsEdges) {
    std::string tiff = "MM";
    Put(tiff, 42, 2, true);
    Put(tiff, 8, 4, true);
    const std::uint32_t tags[][3] = {{256, 1, 12}, {257, 1, 3}, {258, 1, 1}, {259, 1, 32773}, {273, 2, 0}, {278, 1, 2}};
    Put(tiff, 6, 2, true);
    for (const auto& t : tags) {
        Put(tiff, t[0], 2, true);
        Put(tiff, 3, 2, true);
        Put(tiff, t[1], 4, true);
        if (t[0] == 273) {
            Put(tiff, 86, 2, true);
            Put(tiff, 92, 2, true);
        } else {
            Put(tiff, t[2], 2, true);
            Put(tiff, 0, 2, true);
        }
    }
    Put(tiff, 0, 4, true);
    ASSERT_EQ(tiff.size(), 86u);
    tiff += std::string("\x80\xFE\xF0\x01\xAB\xCD", 6) + std::string("\xFF\x0F", 2);
    const ReadResult r = ReadAll<faxdoc::TiffSource>(Write("p.tif", tiff));
    ASSERT_EQ(r.rc, 0);
    EXPECT_EQ(Heads(r), (std::vector<Line>{{0xF0, 0xF0}, {0xAB, 0xC0}, {0x0F, 0x00}}));
}

std::string TwoRowPcx(int version, const std::string& data) {
    std::string pcx;
    for (int b : {10, version, 1, 1}) pcx.push_back(static_cast<char>(b));
    for (std::uint32_t v : {0, 0, 15, 1}) Put(pcx, v, 2, false);
    pcx.resize(65, '\0');
    pcx.push_back(1);
    Put(pcx, 2, 2, false);
    pcx.resize(128, '\0');
    return pcx + data;
}

// Newer files let a run go on into the next line; old ones cut it.
TEST_F(ImageSourceLayoutTest, PcxRunsAcrossLines) {
    const std::string data("\xC3\x00\x7F\x3F", 4);
    EXPECT_EQ(Heads(ReadAll<faxdoc::PcxSource>(Write("v5.pcx", TwoRowPcx(5, data)))),
              (std::vector<Line>{{0xFF, 0xFF}, {0xFF, 0x80}}));
    EXPECT_EQ(Heads(ReadAll<faxdoc::PcxSource>(Write("v2.pcx", TwoRowPcx(2, data)))),
              (std::vector<Line>{{0xFF, 0xFF}, {0x80, 0xC0}}));
}

TEST_F(ImageSourceLayoutTest, TopDownBmp) {
    const faxdoc::PageImage image = SpeckledImage(203, 37, 11);
    std::string bmp = Convert(dir_.folder(), "in.pbm", PbmFile(image), "ppmtobmp", {"-bpp", "1"});
    ASSERT_FALSE(bmp.empty());
    const std::size_t at = static_cast<std::uint8_t>(bmp[10]), stride = 28;
    std::string flipped = bmp.substr(0, at);
    for (int y = 36; y >= 0; --y) flipped += bmp.substr(at + stride * y, stride);
    flipped.replace(22, 4, "\xDB\xFF\xFF\xFF", 4);  // -37
    const ReadResult r = ReadAll<faxdoc::BmpSource>(Write("t.bmp", flipped));
    ASSERT_EQ(r.rc, 0);
    ASSERT_EQ(r.pages.at(0).size(), 37u);
    for (int y = 0; y < 37; ++y) EXPECT_TRUE(LineShowsRow(r.pages[0][y], image, y)) << y;
}

}  // namespace
}  // namespace vl::faxtest
