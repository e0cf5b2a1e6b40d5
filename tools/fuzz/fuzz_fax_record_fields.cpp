// Field texts that come from outside: dates and times read from tables made
// elsewhere, and the station identification a remote fax machine sends.
// Input: date, time and station text separated by '\n'.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "ScratchFolder.h"
#include "store/FaxRecordColumns.h"
#include "store/FaxRecordWriters.h"
#include "store/FaxTables.h"

using vl::fuzz::Check;

namespace {

std::string_view NextPart(std::string_view& rest) {
    const size_t end = rest.find('\n');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

size_t Utf8Characters(std::string_view text) {
    size_t n = 0;
    for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::store;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view date = NextPart(rest);
    const std::string_view time = NextPart(rest);
    const std::string_view station = rest;

    static const DateTimeFormat format = UserDateTimeFormat();
    const std::chrono::sys_days today = std::chrono::sys_days(std::chrono::year(2026) / 12 / 7);
    const std::string out = OutgoingDisplayDateTime(date, time, today, format);
    Check(out == "not sent" || out.find(" at ") != std::string::npos);
    IncomingDisplayDateTime(date, time, format);

    // A fresh incoming table now and then keeps the fuzzer's memory flat.
    static std::unique_ptr<Table> incoming;
    if (!incoming || incoming->RecCount() >= 1000) {
        incoming.reset();
        std::filesystem::remove(vl::fuzz::ScratchFolder() + "VLREC.DBF");
        std::filesystem::remove(vl::fuzz::ScratchFolder() + "VLREC.CDX");
        FaxTableOpenResult opened = OpenOrCreateIncoming(vl::fuzz::ScratchFolder());
        Check(opened.ok);
        incoming = std::move(opened.table);
    }
    AppendReceivedFax(*incoming, {std::string(station), static_cast<int>(size) - 50, "REC00001.APF"},
                      {"20261207", "14:05"});
    Check(Utf8Characters(incoming->Text("FROM")) <= kStationIdWidth);
    Check(incoming->Number("PAGES") >= 0 && incoming->Number("PAGES") <= kMaxStoredPages);
    return 0;
}
