#include "fax/Class1Negotiation.h"

#include <gtest/gtest.h>

#include <vector>

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

SpeedSet AllSpeeds() {
    SpeedSet set;
    for (int index = 3; index <= 6; ++index) set.Add(index);
    return set;
}

// T.30 data-rate codes (byte 2, mask 0x3C) written out from its tables.
constexpr std::uint8_t kDcsV27_2400 = 0x00, kDcsV27_4800 = 0x08, kDcsV29_7200 = 0x0C, kDcsV29_9600 = 0x04,
                       kDcsV17_7200 = 0x2C, kDcsV17_9600 = 0x24, kDcsV17_12000 = 0x28, kDcsV17_14400 = 0x20;
constexpr std::uint8_t kDisV27 = 0x08, kDisV27V29 = 0x0C, kDisV27V29V17 = 0x2C;

TEST(Class1NegotiationTest, DisOffersEverythingUpToTheChosenSpeed) {
    const std::uint8_t rates[] = {0x00, kDisV27, kDisV27V29, kDisV27V29, kDisV27V29V17, kDisV27V29V17};
    for (int index = 1; index <= 6; ++index) {
        const Class1Info info = DisInfo(index);
        EXPECT_EQ(info[0], 0x00);
        EXPECT_EQ(info[1], 0x42 | rates[index - 1]) << index;  // receiving, fine
        EXPECT_EQ(info[2], 0xF9);
        EXPECT_EQ(info[3], 0x00);
    }
}

TEST(Class1NegotiationTest, DcsNamesOneT30Modulation) {
    const std::uint8_t rates[] = {kDcsV27_2400, kDcsV27_4800, kDcsV29_7200, kDcsV29_9600, kDcsV17_12000, kDcsV17_14400};
    for (int index = 1; index <= 6; ++index) {
        EXPECT_EQ(DcsInfo(index, false, false, 0)[1], 0x02 | rates[index - 1]) << index;
        EXPECT_EQ(DcsInfo(index, true, false, 0)[1], 0x42 | rates[index - 1]) << index;
    }
}

TEST(Class1NegotiationTest, DcsByteThreeCarriesScanTimeLengthAndWidth) {
    // T.30 DCS scan-time bits: 0 ms 0x70, 5 ms 0x10, 10 ms 0x20, 20 ms 0x00, 40 ms 0x40.
    const std::uint8_t normal[] = {0x70, 0x10, 0x20, 0x20, 0x00, 0x00, 0x40, 0x40};
    const std::uint8_t fine[] = {0x70, 0x10, 0x10, 0x20, 0x20, 0x00, 0x00, 0x40};
    for (int st = 0; st <= 7; ++st) {
        EXPECT_EQ(DcsInfo(4, false, false, st)[2], normal[st] | 0x88) << st;
        EXPECT_EQ(DcsInfo(4, true, false, st)[2], fine[st] | 0x88) << st;
        EXPECT_EQ(DcsInfo(4, true, true, st)[2], fine[st] | 0x89) << st;
    }
    EXPECT_EQ(DcsInfo(4, false, false, 0)[0], 0x00);
    EXPECT_EQ(DcsInfo(4, false, false, 0)[3], 0x00);
}

TEST(Class1NegotiationTest, DisOffering14400WithDesired9600Chooses9600) {
    const Bytes info{0x00, 0x40 | kDisV27V29V17, 0x01, 0x00};
    const auto dis = DecodeDis(info, AllSpeeds(), 9600, false, false);
    ASSERT_TRUE(dis.has_value());
    EXPECT_EQ(dis->chosenIndex, 4);
    EXPECT_EQ(SpeedAt(dis->chosenIndex).modulation.longTraining, "96");
    EXPECT_EQ(dis->params.bps, 9600);
}

TEST(Class1NegotiationTest, DisRateCodesGiveTheRemoteSpeeds) {
    struct Case {
        std::uint8_t rate;
        std::vector<int> speeds;
    };
    const Case cases[] = {
        {0x00, {1, 2}},
        {kDisV27, {1, 2}},
        {0x04, {1, 2, 3, 4}},  // V.29 alone still has 7200
        {kDisV27V29, {1, 2, 3, 4}},
        {kDisV27V29V17, {1, 2, 3, 4, 5, 6}},
        {0x1C, {1, 2, 3, 4, 5}},  // V.33 bit: 12000 as before
    };
    for (const Case& c : cases) {
        const Bytes info{0x00, c.rate, 0x00};
        const auto dis = DecodeDis(info, AllSpeeds(), 14400, false, false);
        ASSERT_TRUE(dis.has_value());
        SpeedSet expected;
        for (int index : c.speeds) expected.Add(index);
        EXPECT_EQ(dis->remote, expected) << std::hex << int(c.rate);
        EXPECT_EQ(dis->chosenIndex, c.speeds.back()) << std::hex << int(c.rate);
    }
}

TEST(Class1NegotiationTest, DisChoiceNeedsTheLocalModemToo) {
    SpeedSet local;
    local.Add(3);
    local.Add(4);
    const Bytes info{0x00, kDisV27V29V17, 0x00};
    EXPECT_EQ(DecodeDis(info, local, 14400, false, false)->chosenIndex, 4);
    EXPECT_EQ(DecodeDis(info, SpeedSet(), 14400, false, false)->chosenIndex, 2);
    EXPECT_EQ(DecodeDis(info, AllSpeeds(), 2000, false, false)->chosenIndex, 1);
}

TEST(Class1NegotiationTest, DisResolutionAndWidth) {
    struct Case {
        std::uint8_t r;
        std::uint8_t s;
        bool remoteFine;
        bool remoteWide;
    };
    const Case cases[] = {
        {0x02, 0x00, false, false}, {0x42, 0x00, true, false}, {0x42, 0x01, true, true},
        {0x02, 0x02, false, true},  // A3 width includes B4
        {0x02, 0x03, false, false}, // invalid width code
        {0x42, 0xF9, true, true},
    };
    for (const Case& c : cases) {
        const Bytes info{0x00, c.r, c.s, 0x00};
        const auto dis = DecodeDis(info, AllSpeeds(), 14400, true, true);
        ASSERT_TRUE(dis.has_value());
        EXPECT_EQ(dis->remoteFine, c.remoteFine);
        EXPECT_EQ(dis->remoteWide, c.remoteWide);
        // Session fine and wide are the page's, whatever the remote offers.
        EXPECT_TRUE(dis->params.fine);
        EXPECT_TRUE(dis->params.wide);
        EXPECT_FALSE(dis->params.ecm);
        EXPECT_EQ(RemoteTakesPage(*dis, false, false), true);
        EXPECT_EQ(RemoteTakesPage(*dis, true, false), c.remoteFine);
        EXPECT_EQ(RemoteTakesPage(*dis, false, true), c.remoteWide);
        EXPECT_EQ(RemoteTakesPage(*dis, true, true), c.remoteFine && c.remoteWide);
    }
}

TEST(Class1NegotiationTest, ScanTimeBitsGiveTheStCode) {
    const int stCodes[] = {5, 1, 3, 4, 7, 6, 2, 0};  // by bits 0x70 >> 4
    for (int bits = 0; bits < 8; ++bits) {
        const Bytes info{0x00, 0x00, static_cast<std::uint8_t>(bits << 4)};
        EXPECT_EQ(DecodeDis(info, AllSpeeds(), 14400, false, false)->params.stCode, stCodes[bits]) << bits;
        EXPECT_EQ(DecodeDcs(info)->params.stCode, stCodes[bits]) << bits;
    }
}

TEST(Class1NegotiationTest, DisMinimumBytesFollowTheChosenSpeed) {
    // 20 ms at 4800 bit/s (no V.29 offered): 12 bytes; fine at 10 ms: 6.
    const Bytes info{0x00, kDisV27, 0x30};
    EXPECT_EQ(DecodeDis(info, AllSpeeds(), 14400, false, false)->params.minBytesPerLine, 12);
    EXPECT_EQ(DecodeDis(info, AllSpeeds(), 14400, true, false)->params.minBytesPerLine, 6);
}

TEST(Class1NegotiationTest, DcsRoundTripsForEverySpeedAndScanTime) {
    for (int index = 1; index <= 6; ++index) {
        for (int st = 0; st <= 7; ++st) {
            for (bool fine : {false, true}) {
                for (bool wide : {false, true}) {
                    const auto dcs = DecodeDcs(DcsInfo(index, fine, wide, st));
                    ASSERT_TRUE(dcs.has_value());
                    EXPECT_EQ(dcs->chosenIndex, index);
                    EXPECT_EQ(dcs->modulation.longTraining, SpeedAt(index).modulation.longTraining);
                    EXPECT_EQ(dcs->modulation.shortTraining, SpeedAt(index).modulation.shortTraining);
                    EXPECT_EQ(dcs->params.bps, SpeedAt(index).bps);
                    EXPECT_EQ(dcs->params.fine, fine);
                    EXPECT_EQ(dcs->params.wide, wide);
                    EXPECT_FALSE(dcs->params.ecm);
                    // The DCS names one time for the page's resolution; the ST
                    // code read back may differ but gives the same time.
                    EXPECT_EQ(ScanTimeMs(dcs->params.stCode, fine), ScanTimeMs(st, fine));
                    EXPECT_EQ(dcs->params.minBytesPerLine, MinBytesPerLine(ScanTimeMs(st, fine), SpeedAt(index).bps));
                }
            }
        }
    }
}

TEST(Class1NegotiationTest, DcsFromAV17CallerFallingBack) {
    struct Case {
        std::uint8_t rate;
        int index;
        const char* longTraining;
        const char* shortTraining;
    };
    const Case cases[] = {
        {kDcsV17_14400, 6, "145", "146"}, {kDcsV17_12000, 5, "121", "122"}, {kDcsV17_9600, 4, "97", "98"},
        {kDcsV17_7200, 3, "73", "74"},    {kDcsV29_9600, 4, "96", "96"},     {kDcsV29_7200, 3, "72", "72"},
        {kDcsV27_4800, 2, "48", "48"},    {kDcsV27_2400, 1, "24", "24"},
        {0x10, 5, "121", "122"},  // V.33 codes, which no Class 1 modem speaks
        {0x3C, 6, "145", "146"},
    };
    for (const Case& c : cases) {
        const Bytes info{0x00, static_cast<std::uint8_t>(0x02 | c.rate), 0x00};
        const auto dcs = DecodeDcs(info);
        ASSERT_TRUE(dcs.has_value());
        EXPECT_EQ(dcs->chosenIndex, c.index) << std::hex << int(c.rate);
        EXPECT_EQ(dcs->modulation.longTraining, c.longTraining) << std::hex << int(c.rate);
        EXPECT_EQ(dcs->modulation.shortTraining, c.shortTraining) << std::hex << int(c.rate);
    }
}

TEST(Class1NegotiationTest, ShortInformationIsRefused) {
    for (const Bytes& info : {Bytes{}, Bytes{0x00}, Bytes{0x00, 0x2C}}) {
        EXPECT_FALSE(DecodeDis(info, AllSpeeds(), 14400, false, false).has_value());
        EXPECT_FALSE(DecodeDcs(info).has_value());
    }
}

TEST(Class1NegotiationTest, OutOfRangeArgumentsStayInTheTables) {
    EXPECT_EQ(DisInfo(0), DisInfo(1));
    EXPECT_EQ(DisInfo(9), DisInfo(6));
    EXPECT_EQ(DcsInfo(0, false, false, -1), DcsInfo(1, false, false, 0));
    EXPECT_EQ(DcsInfo(7, false, false, 8), DcsInfo(6, false, false, 7));
}

using faxdoc::PageCoding;

// Which coding a caller with `local` picks from a DIS offering `remote`.
TEST(Class1NegotiationTest, TheShortestCallBothSidesTakeIsChosen) {
    struct Case {
        CodingCaps local, remote;
        LineCoding chosen;
    };
    const CodingCaps mh{}, mr{true, false, false}, mrEcm{true, false, true}, mmr{true, true, true};
    const Case cases[] = {
        {mmr, mmr, {PageCoding::Mmr, true}},  {mmr, mrEcm, {PageCoding::Mr, true}},
        {mrEcm, mmr, {PageCoding::Mr, true}}, {mmr, mr, {PageCoding::Mr, false}},
        {mr, mmr, {PageCoding::Mr, false}},   {mh, mmr, {PageCoding::Mh, false}},
        {mmr, mh, {PageCoding::Mh, false}},   {CodingCaps{false, false, true}, mmr, {PageCoding::Mh, true}},
    };
    for (const Case& c : cases) {
        const LineCoding chosen = ChooseCoding(c.local, c.remote);
        EXPECT_EQ(chosen.coding, c.chosen.coding);
        EXPECT_EQ(chosen.ecm, c.chosen.ecm);
    }
    // MMR is never offered without error correction.
    EXPECT_EQ(OfferedCaps(PageCoding::Mmr, false), mr);
    EXPECT_EQ(OfferedCaps(PageCoding::Mmr, true), mmr);
    EXPECT_EQ(OfferedCaps(PageCoding::Mr, true), mrEcm);
    EXPECT_EQ(OfferedCaps(PageCoding::Mh, false), mh);
}

TEST(Class1NegotiationTest, CodingAndErrorCorrectionTravelInTheirBits) {
    const Class1Info dis = DisInfo(6, {true, true, true});
    EXPECT_EQ(dis[1] & 0x80, 0x80);
    EXPECT_EQ(dis[3], 0x44);
    // A DIS whose T.6 bit comes without ECM offers no MMR.
    const Bytes t6Alone{0x00, static_cast<std::uint8_t>(dis[1]), dis[2], 0x40};
    EXPECT_EQ(DecodeDis(t6Alone, AllSpeeds(), 14400, false, false, {true, true, true})->params.coding, PageCoding::Mr);
    // A short DIS (no fourth byte) still offers MR through byte 2.
    const Bytes threeBytes{0x00, static_cast<std::uint8_t>(dis[1]), dis[2]};
    EXPECT_EQ(DecodeDis(threeBytes, AllSpeeds(), 14400, false, false, {true, true, true})->params.coding, PageCoding::Mr);

    for (const LineCoding coding : {LineCoding{PageCoding::Mh, false}, LineCoding{PageCoding::Mr, false},
                                    LineCoding{PageCoding::Mr, true}, LineCoding{PageCoding::Mmr, true}}) {
        const auto dcs = DecodeDcs(DcsInfo(6, true, false, 5, coding));
        EXPECT_EQ(dcs->params.coding, coding.coding);
        EXPECT_EQ(dcs->params.ecm, coding.ecm);
        EXPECT_EQ(dcs->params.ecmFrameBytes, 256);
        // Error correction drops the minimum scan-line time.
        EXPECT_EQ(dcs->params.minBytesPerLine == 0, coding.ecm);
    }
    const Bytes frames64{0x00, 0x02, 0x88, 0x0C};
    EXPECT_EQ(DecodeDcs(frames64)->params.ecmFrameBytes, 64);
    // The caller's DIS with a scan time and ECM: our lines need no fill.
    const Bytes ecmDis{0x00, 0x2E, 0xA9, 0x04};
    EXPECT_EQ(DecodeDis(ecmDis, AllSpeeds(), 14400, false, false, {true, false, true})->params.minBytesPerLine, 0);
}

}  // namespace
}  // namespace vl::fax
