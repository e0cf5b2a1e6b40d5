// Error correction's frames, frame maps, the sender's cutting of a page into
// frames and blocks and the receiver's gathering of them.
#include "fax/EcmFrames.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "fax/EcmBlockReceiver.h"
#include "fax/EcmSendPage.h"

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The frame as the modem reads it: DLE pairs undone, DLE ETX dropped.
HdlcFrame Received(const Bytes& wire)
{
    Bytes raw;
    for (std::size_t i = 0; i < wire.size(); ++i) {
        if (wire[i] == 0x10 && ++i < wire.size() && wire[i] == 0x03)
            break;
        raw.push_back(wire[i]);
    }
    return *ParseFrame(raw);
}

Bytes Counting(std::size_t n)
{
    Bytes bytes(n);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
    return bytes;
}

// Written with the first bit on the line as the high bit, as the other FCF
// values are (MCF 0x8C): T.30's 0110 0000 and 0110 0001, and the sender's
// commands with the calling station's X bit.
TEST(EcmFrames, ControlFieldsAndKindsMatchTheLine)
{
    const Bytes fcd = BuildFcdFrame(5, Bytes{0x10, 0xAA});
    EXPECT_EQ(fcd, (Bytes{0xFF, 0x03, 0x06, 0x05, 0x10, 0x10, 0xAA, 0x10, 0x03}));
    EXPECT_EQ(BuildRcpFrame(), (Bytes{0xFF, 0x03, 0x86, 0x10, 0x03}));
    struct Case {
        std::uint8_t fcf;
        FrameKind kind;
    };
    for (const Case& c : {Case{fcf::kPps, FrameKind::Pps}, Case{0xBE, FrameKind::Pps}, Case{fcf::kPpr, FrameKind::Ppr},
                          Case{fcf::kRr, FrameKind::Rr}, Case{fcf::kRnr, FrameKind::Rnr}, Case{fcf::kCtc, FrameKind::Ctc},
                          Case{fcf::kCtr, FrameKind::Ctr}, Case{fcf::kEor, FrameKind::Eor}, Case{fcf::kErr, FrameKind::Err},
                          Case{fcf::kFcd, FrameKind::Fcd}, Case{fcf::kRcp, FrameKind::Rcp}, Case{fcf::kMcf, FrameKind::Mcf}})
        EXPECT_EQ(RecogniseFcf(c.fcf), c.kind) << std::hex << int(c.fcf);
}

TEST(EcmFrames, PpsCarriesCommandCountersAndFramesLessOne)
{
    const Bytes wire = BuildPpsFrame({fcf::kMps, 257, 2, 256});
    EXPECT_EQ(wire, (Bytes{0xFF, 0x13, 0xBF, 0x4F, 0x01, 0x02, 0xFF, 0x10, 0x03}));
    // The command is read without its X bit; a block inside its page says 0.
    EXPECT_EQ(ReadPps(Received(wire)), (PpsInfo{0x4E, 1, 2, 256}));
    EXPECT_EQ(ReadPps(Received(BuildPpsFrame({0, 0, 0, 1}))), (PpsInfo{0, 0, 0, 1}));
    EXPECT_FALSE(ReadPps(HdlcFrame{true, fcf::kPps, {0x4F, 0, 0}}));
}

TEST(EcmFrames, PprMapsFrameNumbersFirstBitFirstAndRefusesAShortMap)
{
    FrameMap map;
    for (int frame : {0, 9, 255, 256, -1})
        map.Set(frame);
    EXPECT_EQ(map.Count(), 3);
    EXPECT_EQ(map.Count(10), 2);
    const HdlcFrame ppr = Received(BuildPprFrame(map));
    ASSERT_EQ(ppr.info.size(), 32u);
    EXPECT_EQ(ppr.info[0], 0x01);
    EXPECT_EQ(ppr.info[1], 0x02);
    EXPECT_EQ(ppr.info[31], 0x80);
    EXPECT_EQ(ReadPpr(ppr), map);
    HdlcFrame garbled = ppr;
    garbled.info.resize(31);
    EXPECT_FALSE(ReadPpr(garbled));
}

TEST(EcmFrames, CtcNamesTheNewSpeedAsDcsDoes)
{
    const HdlcFrame ctc = Received(BuildCtcFrame(3));
    EXPECT_EQ(ctc.fcf, fcf::kCtc);
    const Class1Info dcs = DcsInfo(3, false, false, 0);
    EXPECT_EQ(ctc.info, (Bytes{dcs[0], dcs[1]}));
    EXPECT_EQ(Received(BuildEorFrame(fcf::kEop)).info, (Bytes{fcf::kEop}));
}

struct Cut {
    std::size_t pageBytes;
    int frameBytes;
    std::vector<int> framesPerBlock;
    std::size_t lastFrameBytes;
};

class EcmPageCutting : public ::testing::TestWithParam<Cut> {};

TEST_P(EcmPageCutting, FramesAndBlocksCoverThePageInOrder)
{
    const Cut& cut = GetParam();
    EcmSendPage page;
    page.Start(cut.frameBytes);
    const Bytes bytes = Counting(cut.pageBytes);
    page.Append(std::span(bytes).first(bytes.size() / 2));
    page.Append(std::span(bytes).subspan(bytes.size() / 2));
    ASSERT_EQ(page.BlockCount(), static_cast<int>(cut.framesPerBlock.size()));
    Bytes joined;
    for (int block = 0; block < page.BlockCount(); ++block) {
        EXPECT_EQ(page.FramesIn(block), cut.framesPerBlock[static_cast<std::size_t>(block)]);
        for (int frame = 0; frame < page.FramesIn(block); ++frame) {
            const auto data = page.Frame(block, frame);
            joined.insert(joined.end(), data.begin(), data.end());
        }
    }
    EXPECT_EQ(joined, bytes);
    const int lastBlock = page.BlockCount() - 1;
    EXPECT_EQ(page.Frame(lastBlock, page.FramesIn(lastBlock) - 1).size(), cut.lastFrameBytes);
    EXPECT_TRUE(page.Frame(lastBlock, page.FramesIn(lastBlock)).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Edges, EcmPageCutting,
    ::testing::Values(Cut{1000, 256, {4}, 232},                      // last frame short
                      Cut{256 * 256, 256, {256}, 256},               // one block, exactly full
                      Cut{256 * 256 + 1, 256, {256, 1}, 1},          // one byte over: a second block
                      Cut{3 * 256 * 256 + 700, 256, {256, 256, 256, 3}, 188},
                      Cut{64 * 300, 64, {256, 44}, 64},              // 64-byte frames
                      Cut{0, 256, {1}, 0}));                         // nothing yet: one empty frame

TEST(EcmBlockReceiver, MapsMissingFramesAndHandsOnOnlyWholeBlocks)
{
    EcmBlockReceiver rx;
    rx.StartPage();
    const Bytes frame(256, 0x55);
    for (int number : {0, 1, 3, 5})
        rx.Take(number, frame);
    rx.Take(6, Bytes{1, 2, 3});
    FrameMap expected;
    expected.Set(2);
    expected.Set(4);
    EXPECT_EQ(rx.Missing(7), expected);
    EXPECT_FALSE(rx.CloseBlock(7));
    EXPECT_TRUE(rx.Page().empty());
    rx.Take(2, frame);
    rx.Take(4, Bytes(256, 0x44));
    rx.Take(4, frame);  // sent again: the last copy counts
    EXPECT_EQ(rx.Missing(7).Count(), 0);
    ASSERT_TRUE(rx.CloseBlock(7));
    EXPECT_EQ(rx.Page().size(), 6u * 256u + 3u);
    EXPECT_EQ(rx.Page().back(), 3);
    EXPECT_EQ(rx.FramesHeld(), 0);
    // The next block starts empty; the page grows only by whole blocks.
    rx.Take(0, Bytes{9});
    EXPECT_EQ(rx.Missing(2).Count(), 1);
    ASSERT_TRUE(rx.CloseBlock(1));
    EXPECT_EQ(rx.Page().size(), 6u * 256u + 4u);
    rx.StartPage();
    EXPECT_TRUE(rx.Page().empty());
    EXPECT_EQ(rx.Missing(256).Count(), 256);
}

}  // namespace
}  // namespace vl::fax
