#include "fax/Class1Frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fax/Class1Negotiation.h"

namespace vl::fax {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What the response collector hands over for the bytes a modem sends: DLE
// pairs undone, DLE ETX dropped.
Bytes Unescape(const Bytes& wire) {
    Bytes out;
    for (std::size_t i = 0; i < wire.size(); ++i) {
        if (wire[i] == 0x10 && i + 1 < wire.size()) {
            if (wire[++i] == 0x03) break;
        }
        out.push_back(wire[i]);
    }
    return out;
}

// Frame check sequence written as T.30 peers do, MSB-first over reflected
// bytes, independent of the parser's own reflected loop.
std::uint16_t Crc16Ccitt(const Bytes& bytes) {
    auto reflect = [](unsigned value, int bits) {
        unsigned out = 0;
        for (int i = 0; i < bits; ++i) out |= ((value >> i) & 1u) << (bits - 1 - i);
        return out;
    };
    unsigned crc = 0xFFFF;
    for (std::uint8_t byte : bytes) {
        crc ^= reflect(byte, 8) << 8;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) & 0xFFFF : (crc << 1) & 0xFFFF;
    }
    return static_cast<std::uint16_t>(reflect(crc, 16) ^ 0xFFFF);
}

Bytes WithFcs(Bytes frame) {
    const std::uint16_t fcs = Crc16Ccitt(frame);
    frame.push_back(static_cast<std::uint8_t>(fcs & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(fcs >> 8));
    return frame;
}

TEST(Class1FramesTest, CheckSequenceOracleMatchesTheStandardCheckValue) {
    EXPECT_EQ(Crc16Ccitt({'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0x906E);
}

TEST(Class1FramesTest, RecognisesEveryFrameWithEitherXBit) {
    struct Case {
        std::uint8_t fcf;
        FrameKind kind;
    };
    const Case cases[] = {
        {0x40, FrameKind::RemoteId}, {0x41, FrameKind::RemoteId}, {0x42, FrameKind::RemoteId},
        {0x43, FrameKind::RemoteId}, {0x80, FrameKind::Dis},      {0x81, FrameKind::Dis},
        {0x82, FrameKind::Dcs},      {0x83, FrameKind::Dcs},      {0x84, FrameKind::Cfr},
        {0x85, FrameKind::Cfr},      {0x44, FrameKind::Ftt},      {0x45, FrameKind::Ftt},
        {0x8C, FrameKind::Mcf},      {0x8D, FrameKind::Mcf},      {0x4C, FrameKind::Rtn},
        {0x4D, FrameKind::Rtn},      {0xCC, FrameKind::Rtp},      {0xCD, FrameKind::Rtp},
        {0x4E, FrameKind::Mps},      {0x4F, FrameKind::Mps},      {0x8E, FrameKind::Eom},
        {0x8F, FrameKind::Eom},      {0x2E, FrameKind::Eop},      {0x2F, FrameKind::Eop},
        {0xFA, FrameKind::Dcn},      {0xFB, FrameKind::Dcn},      {0x20, FrameKind::Other},
        {0x00, FrameKind::Other},    {0x46, FrameKind::Other},    {0xFF, FrameKind::Other},
    };
    for (const Case& c : cases) EXPECT_EQ(RecogniseFcf(c.fcf), c.kind) << std::hex << int(c.fcf);
}

TEST(Class1FramesTest, FrameBytesCarryAddressControlFcfInfoAndDleEtx) {
    EXPECT_EQ(BuildFrame(fcf::kCfr, {}, true), (Bytes{0xFF, 0x13, 0x84, 0x10, 0x03}));
    const Bytes info{0x01, 0x02};
    EXPECT_EQ(BuildFrame(0x20, info, false), (Bytes{0xFF, 0x03, 0x20, 0x01, 0x02, 0x10, 0x03}));
}

TEST(Class1FramesTest, EveryDleInTheFrameIsDoubled) {
    const Bytes info{0x10, 0x00, 0x10, 0x10};
    EXPECT_EQ(BuildFrame(0x10, info, true),
              (Bytes{0xFF, 0x13, 0x10, 0x10, 0x10, 0x10, 0x00, 0x10, 0x10, 0x10, 0x10, 0x10, 0x03}));
}

TEST(Class1FramesTest, StationIdIsPaddedInFrontAndReversed) {
    const Bytes frame = BuildStationIdFrame(fcf::kTsi, "12345");
    ASSERT_EQ(frame.size(), 3u + 20u + 2u);
    EXPECT_EQ(frame[1], 0x03);  // non-final
    EXPECT_EQ(frame[2], fcf::kTsi);
    EXPECT_EQ(std::string(frame.begin() + 3, frame.begin() + 23), std::string(15, ' ') + "54321");
}

TEST(Class1FramesTest, StationIdLengthsAtTheEdges) {
    struct Case {
        std::string id;
        std::string info;
    };
    const Case cases[] = {
        {"", std::string(20, ' ')},
        {"ABCDEFGHIJKLMNOPQRST", "TSRQPONMLKJIHGFEDCBA"},
        {"ABCDEFGHIJKLMNOPQRSTUVW", "TSRQPONMLKJIHGFEDCBA"},
    };
    for (const Case& c : cases) {
        const Bytes frame = BuildStationIdFrame(fcf::kCsi, c.id);
        ASSERT_EQ(frame.size(), 25u) << c.id;
        EXPECT_EQ(std::string(frame.begin() + 3, frame.begin() + 23), c.info) << c.id;
    }
}

TEST(Class1FramesTest, DisAndDcsFramesAreFinalWithFourInformationBytes) {
    const Class1Info dis = DisInfo(6);
    EXPECT_EQ(BuildDisFrame(6), (Bytes{0xFF, 0x13, 0x80, dis[0], dis[1], dis[2], dis[3], 0x10, 0x03}));
    const Class1Info dcs = DcsInfo(4, true, false, 3);
    EXPECT_EQ(BuildDcsFrame(4, true, false, 3), (Bytes{0xFF, 0x13, 0x83, dcs[0], dcs[1], dcs[2], dcs[3], 0x10, 0x03}));
}

TEST(Class1FramesTest, BuiltFramesParseBackThroughTheModemsEscaping) {
    const Bytes info{0x10, 0xFF, 0x03, 0x10, 0x13};
    for (bool final : {false, true}) {
        const auto parsed = ParseFrame(Unescape(BuildFrame(0x4F, info, final)));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(parsed->final, final);
        EXPECT_EQ(parsed->fcf, 0x4F);
        EXPECT_EQ(parsed->info, info);
    }
}

TEST(Class1FramesTest, LeadingNoiseBeforeTheAddressIsDropped) {
    const auto parsed = ParseFrame(Bytes{'\r', '\n', 0x00, 0xFF, 0xFF, 0xFF, 0x13, 0x84});
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(parsed->final);
    EXPECT_EQ(parsed->fcf, 0x84);
    EXPECT_TRUE(parsed->info.empty());
}

TEST(Class1FramesTest, TruncatedFramesAreRefused) {
    const Bytes cases[] = {{}, {0x13, 0x84}, {0xFF}, {0xFF, 0x13}, {0x00, 0xFF, 0x03}, {0xFF, 0xFF, 0xFF}};
    for (const Bytes& bytes : cases) EXPECT_FALSE(ParseFrame(bytes).has_value()) << bytes.size();
}

TEST(Class1FramesTest, ValidCheckBytesAreNotInformation) {
    const Bytes bare{0xFF, 0x13, 0x80, 0x00, 0x6E, 0xF9, 0x00};
    const auto withFcs = ParseFrame(WithFcs(bare));
    ASSERT_TRUE(withFcs.has_value());
    EXPECT_EQ(withFcs->info, (Bytes{0x00, 0x6E, 0xF9, 0x00}));
    // Two trailing bytes that are no check sequence stay.
    Bytes wrong = WithFcs(bare);
    wrong.back() ^= 0x01;
    const auto kept = ParseFrame(wrong);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->info.size(), 6u);
}

TEST(Class1FramesTest, RemoteIdReadsEitherPaddingAndIgnoresCheckBytes) {
    struct Case {
        const char* what;
        std::string info;
        bool fcs;
        std::string id;
    };
    const Case cases[] = {
        {"blanks first", std::string(15, ' ') + "54321", false, "12345"},
        {"blanks last", "54321" + std::string(15, ' '), true, "12345"},
        {"NUL padding", "54321" + std::string(15, '\0'), false, "12345"},
        {"inner blanks kept", std::string(10, ' ') + "4321 03 9+", true, "+9 30 1234"},
        {"short frame", "CBA", false, "ABC"},
        {"all blank", std::string(20, ' '), true, ""},
        {"no information", "", false, ""},
    };
    for (const Case& c : cases) {
        Bytes frame(3 + c.info.size());
        frame[0] = 0xFF;
        frame[1] = 0x03;
        frame[2] = 0x40;
        std::copy(c.info.begin(), c.info.end(), frame.begin() + 3);
        const auto parsed = ParseFrame(c.fcs ? WithFcs(frame) : frame);
        ASSERT_TRUE(parsed.has_value()) << c.what;
        EXPECT_EQ(RemoteIdFromFrame(*parsed), c.id) << c.what;
    }
}

TEST(Class1FramesTest, StationIdRoundTrip) {
    for (const std::string id : {"5", "+1 555 0100", "VELLORA FAX 1234567"}) {
        const auto parsed = ParseFrame(Unescape(BuildStationIdFrame(fcf::kCsi, id)));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(RemoteIdFromFrame(*parsed), id);
    }
}

}  // namespace
}  // namespace vl::fax
