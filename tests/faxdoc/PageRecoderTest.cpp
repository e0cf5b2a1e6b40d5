// Pages re-coded between MH, MR and MMR keep every pixel, whatever piece sizes
// the bytes come in; the re-coder's page framing (fill at a burst's end, the
// end of page without RTC, input after the page) holds.
#include <gtest/gtest.h>

#include <string>

#include "FaxTestPages.h"
#include "faxdoc/ApfFormat.h"
#include "faxdoc/LineEncoder.h"
#include "faxdoc/MhDecoder.h"
#include "faxdoc/PageRecoder.h"

namespace vl::faxtest {
namespace {

using faxdoc::PageCoding;

// The page as a raw MH stream of line records; RTC ends it.
Bytes MhOf(const faxdoc::PageImage& page) {
    faxdoc::LineEncoder encoder(faxdoc::LineLayout{page.width});
    Bytes out;
    for (int y = 0; y < page.height; ++y) {
        const auto record = encoder.Encode({page.Row(y), static_cast<std::size_t>(page.stride)});
        out.insert(out.end(), record.begin(), record.end());
    }
    out.insert(out.end(), faxdoc::kEndOfPageRecord.begin(), faxdoc::kEndOfPageRecord.end());
    return out;
}

// "" when equal, else where they first differ.
std::string Differ(const Lines& got, const Lines& want) {
    if (got.size() != want.size()) return std::to_string(got.size()) + " rows, not " + std::to_string(want.size());
    for (std::size_t y = 0; y < got.size(); ++y)
        if (got[y] != want[y]) return "row " + std::to_string(y) + " differs";
    return "";
}

Lines MhRows(const Bytes& stream) {
    Lines rows;
    faxdoc::MhDecoder decoder([&](std::span<const std::uint8_t> line) { rows.emplace_back(line.begin(), line.end()); });
    decoder.Feed(stream);
    decoder.Finish();
    return rows;
}

Bytes Recode(const Bytes& in, const faxdoc::RecodeSetup& setup, std::size_t piece) {
    faxdoc::PageRecoder recoder(setup);
    Bytes out;
    for (std::size_t at = 0; at < in.size(); at += piece)
        recoder.Feed(std::span<const std::uint8_t>(in).subspan(at, std::min(piece, in.size() - at)), out);
    recoder.Finish(out);
    EXPECT_TRUE(recoder.PageEnded());
    return out;
}

std::string Name(PageCoding coding) { return coding == PageCoding::Mr ? "MR" : "MMR"; }

TEST(PageRecoder, MhThroughMrOrMmrAndBackKeepsEveryPixel) {
    for (const PageCoding coding : {PageCoding::Mr, PageCoding::Mmr}) {
        for (const int width : {1728, 2048}) {
            for (const bool fine : {false, true}) {
                const std::string what = Name(coding) + " " + std::to_string(width) + (fine ? " fine" : " normal");
                for (const faxdoc::PageImage& page :
                     {TextLikeRaster(width, 120, 7), DitheredRaster(width, 60, 3), BlankRaster(width, 5)}) {
                    const faxdoc::RecodeSetup out{PageCoding::Mh, coding, width, fine, 0};
                    const faxdoc::RecodeSetup back{coding, PageCoding::Mh, width, fine, 0};
                    // Odd piece sizes cut codes and EOLs at every place.
                    const Bytes line = Recode(MhOf(page), out, 7);
                    const Bytes stored = Recode(line, back, 13);
                    EXPECT_EQ(Differ(MhRows(stored), RowsOf(page)), "") << what;
                }
            }
        }
    }
}

// A modem short of data sends zeros; after PadToByte they land in a line's
// fill before the next EOL, and every line still decodes.
TEST(PageRecoder, ZerosAfterAPaddedBurstOnlyLengthenTheFill) {
    const faxdoc::PageImage page = TextLikeRaster(1728, 40, 11);
    const Bytes mh = MhOf(page);
    faxdoc::PageRecoder recoder({PageCoding::Mh, PageCoding::Mr, 1728, true, 20});
    Bytes line;
    for (std::size_t at = 0; at < mh.size(); at += 300) {
        recoder.Feed(std::span<const std::uint8_t>(mh).subspan(at, std::min<std::size_t>(300, mh.size() - at)), line);
        recoder.PadToByte(line);
        line.insert(line.end(), 5, 0);
    }
    recoder.Finish(line);
    EXPECT_EQ(Differ(MhRows(Recode(line, {PageCoding::Mr, PageCoding::Mh, 1728, true, 0}, 64)), RowsOf(page)), "");
}

TEST(PageRecoder, EndsItsPageAtTheInputsEndAndIgnoresWhatFollows) {
    const faxdoc::PageImage page = TextLikeRaster(1728, 10, 5);
    // MMR ends its page at EOFB: a second page's bytes are not taken.
    const Bytes mmr = Recode(MhOf(page), {PageCoding::Mh, PageCoding::Mmr, 1728, false, 0}, 1000);
    Bytes twice = mmr;
    twice.insert(twice.end(), mmr.begin(), mmr.end());
    faxdoc::PageRecoder recoder({PageCoding::Mmr, PageCoding::Mh, 1728, false, 0});
    Bytes stored;
    recoder.Feed(twice, stored);
    EXPECT_TRUE(recoder.PageEnded());
    EXPECT_EQ(recoder.Lines(), 10);
    EXPECT_EQ(Differ(MhRows(stored), RowsOf(page)), "");
}

TEST(PageRecoder, DropsTheLinesADamagedInputSpoils) {
    const faxdoc::PageImage page = TextLikeRaster(1728, 200, 9);
    Bytes mr = Recode(MhOf(page), {PageCoding::Mh, PageCoding::Mr, 1728, false, 0}, 4096);
    mr[mr.size() / 2] ^= 0x5A;
    faxdoc::PageRecoder mrIn({PageCoding::Mr, PageCoding::Mh, 1728, false, 0});
    Bytes stored;
    mrIn.Feed(mr, stored);
    mrIn.Finish(stored);
    EXPECT_GT(mrIn.BadLines(), 0);
    EXPECT_EQ(mrIn.Lines() + mrIn.BadLines(), 200);
    EXPECT_EQ(static_cast<int>(MhRows(stored).size()), mrIn.Lines());

    // An MMR page cut inside a line: the lines before the cut are kept, and
    // the stored page is ended all the same.
    Bytes mmr = Recode(MhOf(page), {PageCoding::Mh, PageCoding::Mmr, 1728, false, 0}, 4096);
    mmr.resize(mmr.size() / 2);
    faxdoc::PageRecoder mmrIn({PageCoding::Mmr, PageCoding::Mh, 1728, false, 0});
    stored.clear();
    mmrIn.Feed(mmr, stored);
    mmrIn.Finish(stored);
    EXPECT_NE(mmrIn.Error(), 0);
    EXPECT_LT(mmrIn.Lines(), 200);
    EXPECT_TRUE(mmrIn.PageEnded());
    Lines want = RowsOf(page);
    want.resize(static_cast<std::size_t>(mmrIn.Lines()));
    EXPECT_EQ(Differ(MhRows(stored), want), "");
}

}  // namespace
}  // namespace vl::faxtest
