// vellora-cli info: what an APF fax file holds, page by page.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/MessageTable.h"
#include "cli/Commands.h"
#include "faxdoc/ApfReader.h"

namespace vl::cli {

namespace {

constexpr std::string_view kGroup = "info";

const char kInfoUsage[] = "usage: vellora-cli info FILE.APF [--json]\n";

// "yyyy-mm-dd hh:nn:ss" (with `separator` between date and time) of an MS-DOS
// packed date and time; empty for 0, which means no date.
std::string DateTimeText(std::uint32_t packed, char separator) {
    if (packed == 0) return {};
    const unsigned date = packed >> 16, time = packed & 0xFFFF;
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u%c%02u:%02u:%02u", 1980 + (date >> 9), date >> 5 & 0xF,
                  date & 0x1F, separator, time >> 11, time >> 5 & 0x3F, (time & 0x1F) * 2);
    return text;
}

// Station IDs are single bytes; those outside ASCII are taken as Latin-1.
std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

const char* Bool(bool value) { return value ? "true" : "false"; }

void PrintText(const faxdoc::ApfFileHeader& header, const std::vector<faxdoc::ApfPageHeader>& pages) {
    const std::string date = DateTimeText(header.dateTime, ' ');
    std::printf("Station ID: %s\n", header.stationId.c_str());
    std::printf("Date: %s\n", date.empty() ? "none" : date.c_str());
    std::printf("Pages: %u\n", header.pageCount);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const faxdoc::ApfPageHeader& p = pages[i];
        std::printf("Page %zu: %s, %s, %s, image length %u\n", i + 1, p.HighResolution() ? "fine" : "normal",
                    p.Wide() ? "wide (2048)" : "normal width (1728)", p.LineRecords() ? "line records" : "raw stream",
                    p.imageLength);
    }
}

void PrintJson(const faxdoc::ApfFileHeader& header, const std::vector<faxdoc::ApfPageHeader>& pages) {
    const std::string date = DateTimeText(header.dateTime, 'T');
    std::printf("{\"station_id\":%s,\"date_time\":%s,\"page_count\":%u,\"pages\":[",
                JsonString(header.stationId).c_str(), date.empty() ? "null" : JsonString(date).c_str(),
                header.pageCount);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const faxdoc::ApfPageHeader& p = pages[i];
        std::printf("%s{\"page\":%zu,\"fine\":%s,\"wide\":%s,\"line_records\":%s,\"image_length\":%u}",
                    i == 0 ? "" : ",", i + 1, Bool(p.HighResolution()), Bool(p.Wide()), Bool(p.LineRecords()),
                    p.imageLength);
    }
    std::printf("]}\n");
}

}  // namespace

int RunInfoCommand(const Args& args) {
    const bool json = args.size() == 2 && args[1] == "--json";
    if (args.empty() || args.size() > 2 || (args.size() == 2 && !json)) {
        std::fputs(kInfoUsage, stderr);
        return kExitBadInput;
    }
    faxdoc::ApfReader reader;
    int rc = reader.Open(args[0]);
    std::vector<faxdoc::ApfPageHeader> pages;
    for (unsigned page = 1; rc == 0 && page <= reader.Header().pageCount; ++page) {
        rc = reader.FindPage(page, pages.emplace_back());
    }
    if (rc != 0) return Failed(kGroup, args[0] + ": " + base::ErrorText(rc));
    if (json)
        PrintJson(reader.Header(), pages);
    else
        PrintText(reader.Header(), pages);
    return kExitOk;
}

}  // namespace vl::cli
