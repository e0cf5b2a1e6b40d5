#include "fax/Class2Parameters.h"

#include <gtest/gtest.h>

namespace vl::fax {
namespace {

TEST(Class2ParametersTest, BitRateCodesBothWays) {
    struct Case {
        int bps;
        char code;
    };
    const Case cases[] = {{2400, '0'}, {4800, '1'}, {7200, '2'}, {9600, '3'}, {12000, '4'}, {14400, '5'}};
    for (const Case& c : cases) {
        EXPECT_EQ(BitRateCode(c.bps), c.code) << c.bps;
        EXPECT_EQ(BpsForBitRateCode(c.code), c.bps) << c.code;
    }
    for (int other : {0, 2401, 19200, 33600, -1}) EXPECT_EQ(BitRateCode(other), '3') << other;
    for (char other : {'6', '9', 'x', '\0', ' '}) EXPECT_EQ(BpsForBitRateCode(other), 9600) << int(other);
}

TEST(Class2ParametersTest, SessionReportsAreReadValueByValue) {
    using faxdoc::PageCoding;
    struct Case {
        const char* report;
        bool fine;
        int bps;
        bool wide;
        PageCoding coding;
        bool ecm;
        int stCode;
        int minBytes;
    };
    const Case cases[] = {
        {"+FDCS:1,5,0,2,0,0,0,3", true, 14400, false, PageCoding::Mh, false, 3, 18},
        {"+FCS: 0,3,1,2,1,1,0,7", false, 9600, true, PageCoding::Mr, true, 7, 48},
        {"+FDIS:1,3,0,2,3,2,0,5", true, 9600, false, PageCoding::Mmr, true, 5, 24},
        {"+FIS = 0,0,0,2,0,0,0,0", false, 2400, false, PageCoding::Mh, false, 0, 0},
        {"  +FDCS:0,1,0,2,0,0,0,4  ", false, 4800, false, PageCoding::Mh, false, 4, 12},
        {"+FCS: 1, 5, 0, 2, 3, 1, 0, 0", true, 14400, false, PageCoding::Mmr, true, 0, 0},
        {"FDCS=1,2,1", true, 7200, true, PageCoding::Mh, false, 0, 0},
        {"+FDCS:", false, 9600, false, PageCoding::Mh, false, 0, 0},
        {"+FDCS:0,5,0,2,0,0,0,9", false, 14400, false, PageCoding::Mh, false, 0, 0},
        {"+FDCS:0,5,0,2,0,3,0,A", false, 14400, false, PageCoding::Mh, false, 0, 0},
        // Uncompressed cannot be carried: MH here, refused by the machines.
        {"+FDCS:0,5,0,2,2,0,0,1", false, 14400, false, PageCoding::Mh, false, 1, 9},
        // A two-digit value moves none of the others.
        {"+FCS:0,13,0,2,1,0,0,2", false, 9600, false, PageCoding::Mr, false, 2, 12},
    };
    for (const Case& c : cases) {
        const SessionParams params = ParseSessionParams(c.report);
        EXPECT_EQ(params.fine, c.fine) << c.report;
        EXPECT_EQ(params.bps, c.bps) << c.report;
        EXPECT_EQ(params.wide, c.wide) << c.report;
        EXPECT_EQ(params.coding, c.coding) << c.report;
        EXPECT_EQ(params.ecm, c.ecm) << c.report;
        EXPECT_EQ(params.stCode, c.stCode) << c.report;
        EXPECT_EQ(params.minBytesPerLine, c.minBytes) << c.report;
    }
}

TEST(Class2ParametersTest, OnlyMhMrAndMmrAreCodingsToCarry) {
    using faxdoc::PageCoding;
    const std::pair<const char*, std::optional<PageCoding>> cases[] = {
        {"+FCS:0,5,0,2,0,0,0,0", PageCoding::Mh}, {"+FCS:0,5,0,2,1,0,0,0", PageCoding::Mr},
        {"+FCS:0,5,0,2,3,1,0,0", PageCoding::Mmr}, {"+FCS:0,5,0,2", PageCoding::Mh},
        {"+FCS:0,5,0,2,,0,0,0", PageCoding::Mh},   {"+FCS:0,5,0,2,2,0,0,0", std::nullopt},
        {"+FCS:0,5,0,2,4,0,0,0", std::nullopt},    {"+FCS:0,5,0,2,13,0,0,0", std::nullopt},
    };
    for (const auto& [report, coding] : cases) EXPECT_EQ(ReportedCoding(report), coding) << report;
}

TEST(Class2ParametersTest, MmrIsOfferedOnlyWithErrorCorrection) {
    using faxdoc::PageCoding;
    EXPECT_EQ(DataFormatCode(PageCoding::Mh, false), '0');
    EXPECT_EQ(DataFormatCode(PageCoding::Mh, true), '0');
    EXPECT_EQ(DataFormatCode(PageCoding::Mr, false), '1');
    EXPECT_EQ(DataFormatCode(PageCoding::Mr, true), '1');
    EXPECT_EQ(DataFormatCode(PageCoding::Mmr, false), '1');
    EXPECT_EQ(DataFormatCode(PageCoding::Mmr, true), '3');
}

TEST(Class2ParametersTest, RemoteIdsAreCleaned) {
    struct Case {
        const char* report;
        const char* id;
    };
    const Case cases[] = {
        {"+FTSI:\"+49 30 1234\"", "+49 30 1234"},
        {"+FCSI: \"  5551234  \"", "5551234"},
        {"+FTI=ACME FAX", "ACME FAX"},
        {"+FCI:\"\"", ""},
        {"+FTSI:\"...\"", ""},
        {"+FTSI:\"12345678901234567890123\"", "12345678901234567890"},
        {"+FTSI: \"Office-2 \"", "Office-2"},
        {"+FTSI:\"a:b\"", "a:b"},
        {"NO PREFIX", "NO PREFIX"},
    };
    for (const Case& c : cases) EXPECT_EQ(CleanRemoteId(c.report), c.id) << c.report;
}

TEST(Class2ParametersTest, PageStatusIsTheFirstCharacterAfterThePrefix) {
    EXPECT_EQ(PageStatus("+FPTS:1"), '1');
    EXPECT_EQ(PageStatus("+FPTS: 2,2000,0,0"), '2');
    EXPECT_EQ(PageStatus("+FPS:5,0,0,0,0"), '5');
    EXPECT_EQ(PageStatus("+FPTS:"), '\0');
    EXPECT_EQ(PageStatus("+FPTS:   "), '\0');
}

TEST(Class2ParametersTest, ScanTimeTable) {
    const int normal[] = {0, 5, 10, 10, 20, 20, 40, 40};
    const int fine[] = {0, 5, 5, 10, 10, 20, 20, 40};
    for (int st = 0; st <= 7; ++st) {
        EXPECT_EQ(ScanTimeMs(st, false), normal[st]) << st;
        EXPECT_EQ(ScanTimeMs(st, true), fine[st]) << st;
    }
    EXPECT_EQ(ScanTimeMs(-1, false), 0);
    EXPECT_EQ(ScanTimeMs(8, true), 0);
}

TEST(Class2ParametersTest, MinimumBytesPerLine) {
    EXPECT_EQ(MinBytesPerLine(20, 14400), 36);
    EXPECT_EQ(MinBytesPerLine(40, 14400), 72);
    EXPECT_EQ(MinBytesPerLine(5, 2400), 1);
    EXPECT_EQ(MinBytesPerLine(10, 7200), 9);
    EXPECT_EQ(MinBytesPerLine(5, 7200), 4);  // 4.5 rounds down
    EXPECT_EQ(MinBytesPerLine(0, 14400), 0);
    EXPECT_EQ(MinBytesPerLine(40, 0), 0);
    SessionParams params;
    params.bps = 12000;
    params.stCode = 6;
    params.fine = true;
    RecomputeMinBytes(params);
    EXPECT_EQ(params.minBytesPerLine, 30);
}

}  // namespace
}  // namespace vl::fax
