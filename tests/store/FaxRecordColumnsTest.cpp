#include "store/FaxRecordColumns.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "support/EnvVar.h"

namespace vl::store {
namespace {

using namespace std::chrono;

// Plain, recognisable formats so the tests see what went where.
DateTimeFormat TestFormat() {
    DateTimeFormat f;
    f.shortDate = [](year_month_day d) {
        return std::to_string(static_cast<unsigned>(d.day())) + "." + std::to_string(static_cast<unsigned>(d.month())) +
               "." + std::to_string(static_cast<int>(d.year()));
    };
    f.time = [](hh_mm_ss<seconds> t) {
        return std::to_string(t.hours().count()) + "h" + std::to_string(t.minutes().count());
    };
    return f;
}

std::string Yyyymmdd(sys_days day) {
    const year_month_day d(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02u%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                  static_cast<unsigned>(d.day()));
    return text;
}

TEST(FaxRecordColumnsTest, OutgoingShowsNotSentForEmptyAndOldDates) {
    const sys_days today = sys_days(2026y / December / 7);
    const DateTimeFormat f = TestFormat();
    EXPECT_EQ(OutgoingDisplayDateTime("", "", today, f), "not sent");
    EXPECT_EQ(OutgoingDisplayDateTime("        ", "10:00", today, f), "not sent");
    EXPECT_EQ(OutgoingDisplayDateTime("20261399", "10:00", today, f), "not sent");  // damaged date
    EXPECT_EQ(OutgoingDisplayDateTime(Yyyymmdd(today - days(2000)), "10:00", today, f), "not sent");
    EXPECT_EQ(OutgoingDisplayDateTime(Yyyymmdd(today - days(1999)), "10:00", today, f), "17.6.2021 at 10h0");
    EXPECT_EQ(OutgoingDisplayDateTime("20261207", "14:05", today, f), "7.12.2026 at 14h5");
    EXPECT_EQ(OutgoingDisplayDateTime("20261208", "9:30", today, f), "8.12.2026 at 9h30");  // clock ahead: shown
}

TEST(FaxRecordColumnsTest, TimesThatDoNotConvertShowQuestionMarksOrTheRawText) {
    const sys_days today = sys_days(2026y / December / 7);
    const DateTimeFormat f = TestFormat();
    for (const char* bad : {"", "24:00", "12:60", "1205", "ab:cd", "12:5", "123:00", "-1:00"}) {
        EXPECT_EQ(OutgoingDisplayDateTime("20261201", bad, today, f), "1.12.2026 at ???") << bad;
        EXPECT_EQ(IncomingDisplayDateTime("20261201", bad, f), std::string("1.12.2026 at ") + bad) << bad;
    }
    EXPECT_EQ(IncomingDisplayDateTime("20261201", "23:59", f), "1.12.2026 at 23h59");
    EXPECT_EQ(IncomingDisplayDateTime("", "08:00", f), "(no date) at 8h0");
}

TEST(FaxRecordColumnsTest, UserFormatShowsFourDigitYears) {
    test::EnvVar all("LC_ALL", "C");
    const DateTimeFormat f = UserDateTimeFormat();
    EXPECT_EQ(f.shortDate(2026y / December / 7), "12/07/2026");
    EXPECT_EQ(f.time(hh_mm_ss<seconds>(hours(14) + minutes(5))), "14:05:00");
}

TEST(FaxRecordColumnsTest, FaxFileColumnsKeepTheFilesRealSpelling) {
    test::TempDir dir;
    const std::string folder = dir.folder();
    std::filesystem::create_directories(folder + "SEND");
    std::filesystem::create_directories(folder + "RECEIVE");
    test::WriteFile(folder + "SEND/FAX00001.APF", "");
    test::WriteFile(folder + "RECEIVE/rec00002.apf", "");

    EXPECT_EQ(CalcFaxFile(folder, ""), "(Cover only)");
    EXPECT_EQ(CalcFaxFile(folder, "            "), "(Cover only)");
    EXPECT_EQ(CalcFaxFile(folder, "FAX00001.APF"), folder + "SEND/FAX00001.APF");
    EXPECT_EQ(CalcFaxFile(folder, "fax00001.apf"), folder + "SEND/FAX00001.APF");
    EXPECT_EQ(CalcFaxFile(folder, "GONE.APF"), folder + "SEND/GONE.APF");
    EXPECT_EQ(CalcReceivedFaxFile(folder, "REC00002.APF"), folder + "RECEIVE/rec00002.apf");
    EXPECT_EQ(YesNoColumn(true), "Yes");
    EXPECT_EQ(YesNoColumn(false), "No ");
}

}  // namespace
}  // namespace vl::store
