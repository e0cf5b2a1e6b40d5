#include "app/SettingChoices.h"

#include <gtest/gtest.h>

#include "app/Settings.h"

namespace vl::app {
namespace {

TEST(SettingChoices, RatesAndListPositionsMapBothWays) {
    const int rates[] = {2400, 4800, 7200, 9600, 12000, 14400};
    for (int position = 0; position < 6; ++position) {
        EXPECT_EQ(PositionToRate(position), rates[position]);
        EXPECT_EQ(RateToPosition(rates[position]), position);
    }
    EXPECT_EQ(PositionToRate(-1), 9600);
    EXPECT_EQ(PositionToRate(6), 9600);
    EXPECT_EQ(RateToPosition(0), 3);
    EXPECT_EQ(RateToPosition(33600), 3);
}

TEST(SettingChoices, FaxClassNames) {
    EXPECT_EQ(FaxClassName(0), "AutoDetect");
    EXPECT_EQ(FaxClassName(1), "Class 1");
    EXPECT_EQ(FaxClassName(2), "Class 2");
    EXPECT_EQ(FaxClassName(3), "Class 2.0");
    EXPECT_EQ(FaxClassName(4), "unknown");
    EXPECT_EQ(FaxClassName(-1), "unknown");
}

TEST(SettingChoices, ACodingOutOfRangeIsNamedAsTheDefaultItReadsAs) {
    for (int coding : {-1, 3, 99}) EXPECT_EQ(CodingName(coding), CodingName(Settings{}.Coding)) << coding;
    EXPECT_NE(CodingName(kCodingMhOnly), CodingName(kCodingUpToMr));
}

TEST(SettingChoices, TheOwnFaxPrinterIsNeverTheReceiptPrinter) {
    EXPECT_EQ(StoredReceiptPrinterName("Vellora Fax"), "Default Windows Printer");
    EXPECT_EQ(StoredReceiptPrinterName("my-vElLoRa"), "Default Windows Printer");
    EXPECT_EQ(StoredReceiptPrinterName("Vellor a"), "Vellor a");
    EXPECT_EQ(StoredReceiptPrinterName("HP_LaserJet"), "HP_LaserJet");
    EXPECT_EQ(StoredReceiptPrinterName(""), "");
}

}  // namespace
}  // namespace vl::app
