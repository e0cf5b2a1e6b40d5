#include "BenchRecords.h"

#include <chrono>
#include <cstdio>
#include <random>

namespace vl::bench {

namespace {

const char* const kWords[] = {"Quarterly", "report", "invoice", "contract", "draft", "Order", "delivery",
                              "meeting", "Agenda", "minutes", "Offer", "revised", "price", "list",
                              "Summary", "claim", "policy", "renewal", "shipping", "notice"};
const char* const kFirst[] = {"Anna", "bob", "Carla", "Dieter", "emil", "Fatima", "Georg", "Hanna",
                              "Ivan", "julia", "Karl", "Lena", "Mario", "nina", "Otto", "Paula"};
const char* const kLast[] = {"Becker", "Schmidt", "miller", "Novak", "Rossi", "Dubois", "Jansen",
                             "Kowalski", "Svensson", "Garcia", "O'Neil", "Yilmaz"};

template <size_t N>
const char* Pick(const char* const (&list)[N], std::mt19937& rng) {
    return list[rng() % N];
}

}  // namespace

std::vector<OutRecord> MakeOutRecords(uint32_t count) {
    std::mt19937 rng(20261207);
    std::vector<OutRecord> out;
    out.reserve(count);
    const std::chrono::sys_days first = std::chrono::sys_days(std::chrono::year(2021) / 1 / 1);
    for (uint32_t i = 0; i < count; ++i) {
        OutRecord r;
        const int words = 2 + static_cast<int>(rng() % 3);  // fits the 50 characters
        for (int w = 0; w < words; ++w) {
            if (w) r.subject += ' ';
            r.subject += Pick(kWords, rng);
        }
        char text[64];
        std::snprintf(text, sizeof text, " %u", static_cast<unsigned>(rng() % 10000));
        r.subject += text;
        std::snprintf(text, sizeof text, "%s %s", Pick(kFirst, rng), Pick(kLast, rng));
        r.recipient = text;
        std::snprintf(text, sizeof text, "+49 30 %u", static_cast<unsigned>(1000000 + rng() % 9000000));
        r.phone = text;
        std::snprintf(text, sizeof text, "FAX%05u.APF", static_cast<unsigned>(i % 100000));
        r.faxDoc = text;
        std::snprintf(text, sizeof text, "C%u", static_cast<unsigned>(rng() % 500));
        r.codes = text;
        if (rng() % 10 != 0) {
            const std::chrono::year_month_day day(first + std::chrono::days(rng() % 2000));
            char date[16];
            char time[8];
            std::snprintf(date, sizeof date, "%04d%02u%02u", static_cast<int>(day.year()),
                          static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
            std::snprintf(time, sizeof time, "%02u:%02u", static_cast<unsigned>(rng() % 24),
                          static_cast<unsigned>(rng() % 60));
            r.dateSent = date;
            r.timeSent = time;
            r.lastResult = "Sent";
        } else {
            r.lastResult = rng() % 2 ? "No answer" : "";
        }
        r.archived = rng() % 5 == 0;
        out.push_back(std::move(r));
    }
    return out;
}

}  // namespace vl::bench
