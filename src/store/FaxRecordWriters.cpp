#include "store/FaxRecordWriters.h"

#include <algorithm>
#include <ctime>

#include "base/TextCase.h"
#include "base/Cp1252.h"
#include "store/FaxTableLayouts.h"
#include "store/XbaseDate.h"

namespace vl::store {

namespace {

int FieldWidth(const Table& table, std::string_view name) {
    const int i = table.Layout().FindField(name);
    if (i < 0) throw EStoreError(table.Path() + ": there is no field named " + std::string(name));
    return table.Layout().Fields()[static_cast<size_t>(i)].width;
}

// Bytes in the UTF-8 sequence that starts with lead; 1 for a byte that
// cannot start one.
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC2) return 2;
    return 1;
}

// True when the bytes are a lead byte and its continuation bytes.
bool WholeSequence(std::string_view bytes) {
    for (size_t i = 1; i < bytes.size(); ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return false;
    return bytes.size() == SequenceLength(static_cast<unsigned char>(bytes[0]));
}

// At most maxChars characters of text, each one the table can store; the
// others become "?", and so does each stray byte.
std::string StorableText(std::string_view text, size_t maxChars) {
    std::string out;
    size_t chars = 0;
    for (size_t at = 0; at < text.size() && chars < maxChars; ++chars) {
        const size_t length = std::min(SequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
        const std::string_view one = text.substr(at, length);
        if (!WholeSequence(one)) {
            out += '?';
            ++at;
            continue;
        }
        out += base::Utf8ToCp1252(one) ? std::string(one) : std::string("?");
        at += length;
    }
    return out;
}

bool Fits(const Table& table, std::string_view field, std::string_view text) {
    const auto bytes = base::Utf8ToCp1252(text);
    return bytes && bytes->size() <= static_cast<size_t>(FieldWidth(table, field));
}

bool IsStorableTimestamp(const Table& table, std::string_view timeField, const TableTimestamp& when) {
    return !when.date.empty() && NormalizeDate(when.date) == when.date && Fits(table, timeField, when.time);
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

TableTimestamp LocalTimestamp(std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char date[16];
    char time[16];
    std::strftime(date, sizeof date, "%Y%m%d", &local);
    std::strftime(time, sizeof time, "%H:%M", &local);
    return {date, time};
}

void AppendReceivedFax(Table& incoming, const ReceivedFax& fax, const TableTimestamp& when) {
    const size_t slash = fax.faxFile.rfind('/');
    const std::string name = slash == std::string::npos ? fax.faxFile : fax.faxFile.substr(slash + 1);
    if (!Fits(incoming, "FAXFILE", name))
        throw EStoreError(incoming.Path() + ": the fax file name \"" + name + "\" does not fit the FAXFILE field");
    if (!IsStorableTimestamp(incoming, "TIMEREC", when))
        throw EStoreError(incoming.Path() + ": \"" + when.date + " " + when.time + "\" is not a date and time to store");
    const std::string from = StorableText(fax.stationId, kStationIdWidth);
    const int pages = std::clamp(fax.pages, 0, kMaxStoredPages);
    incoming.AppendBlank();
    incoming.SetDate("DATEREC", when.date);
    incoming.SetText("TIMEREC", when.time);
    incoming.SetText("FROM", from);
    incoming.SetNumber("PAGES", pages);
    incoming.SetText("FAXFILE", name);
    incoming.SetLogical("ARCHIVED", false);
    incoming.Post();
}

void RecordSendAttempt(Table& outgoing, std::string_view resultText, std::string_view phone,
                       const TableTimestamp& when) {
    const std::string upper = base::UpperAscii(resultText);
    const bool sent = upper == "SENT" || upper == "OK";
    if (sent && !IsStorableTimestamp(outgoing, "TIMESENT", when))
        throw EStoreError(outgoing.Path() + ": \"" + when.date + " " + when.time + "\" is not a date and time to store");
    if (!TrimBlanks(resultText).empty())
        outgoing.SetText("LASTRESULT", StorableText(resultText, static_cast<size_t>(FieldWidth(outgoing, "LASTRESULT"))));
    if (Fits(outgoing, "PHONE", phone)) outgoing.SetText("PHONE", phone);
    if (sent) {
        outgoing.SetDate("DATESENT", when.date);
        outgoing.SetText("TIMESENT", when.time);
    }
    outgoing.Post();
}

bool PhoneFits(std::string_view phone) {
    const RecordLayout layout(OutgoingTableDef().fields);
    const int i = layout.FindField("PHONE");
    const auto bytes = base::Utf8ToCp1252(phone);
    return i >= 0 && bytes && bytes->size() <= static_cast<size_t>(layout.Fields()[static_cast<size_t>(i)].width);
}

}  // namespace vl::store
