#include "serial/DispatchLog.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

#include "base/ErrorCodes.h"
#include "serial/LogBanner.h"
#include "serial/LogText.h"

namespace vl::serial {

namespace {

// An entry's record as it lies in the ring: kind, subkind, a flag byte (the
// attached bytes were cut to fit), one unused byte, then time, data and the
// number of attached bytes.
struct Record {
    std::uint8_t kind = 0;
    std::uint8_t subkind = 0;
    std::uint8_t cut = 0;
    std::uint8_t unused = 0;
    std::uint32_t milliseconds = 0;
    std::uint32_t data = 0;
    std::uint32_t length = 0;
};
static_assert(sizeof(Record) == kLogRecordSize);

constexpr std::array<const char*, 20> kKindNames = {
    "No event", "Dispatch", "Trigger", "Error",  "Thread", "TrigAllc", "TrigDisp",
    "TrgHdAlc", "TrgHdDsp", "TrDatChg", "Telnet", "Fax",   "XModem",   "YModem",
    "ZModem",   "Kermit",   "Ascii",    "BPlus",  "Packet", "User"};

// Subkind 0 means none and shows blank.
constexpr std::array<const char*, kFirstEngineSubkind> kSubkindNames = {
    "",       "ReadCom", "WriteCom", "Line status", "Modem status", "Avail", "Timer",
    "Data",   "Status",  "Start",    "Exit",        "Sleep",        "Wake",  "Data",
    "Timer",  "Status",  "Avail",    "Window",      "Procedure",    "Method"};

constexpr std::array<const char*, 6> kStatusTypeNames = {
    "(Not active)",         "(Modem status)",        "(Line status)",
    "(Output buffer free)", "(Output buffer used)", "(Output sent)"};

constexpr std::array<const char*, 8> kModemBitNames = {"DCTS ", "DDSR ", "TERI ", "DDCD ",
                                                       "CTS ",  "DSR ",  "RI ",   "DCD "};

// Where the attached bytes begin: after the four fixed columns.
constexpr std::size_t kOtherDataColumn = 44;

// Milliseconds as seconds with three decimals, at least four digits before the point.
std::string FormatTime(std::uint32_t milliseconds) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%07u", static_cast<unsigned>(milliseconds));
    std::string text = digits;
    text.insert(text.size() - 3, ".");
    return text;
}

// Names longer than their column push the rest of the line to the right.
std::string PadLeft(std::string text, std::size_t width) {
    if (text.size() < width) text.insert(0, width - text.size(), ' ');
    return text;
}

std::string PadRight(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// Kinds up to TrDatChg come from the dispatcher itself; their status and
// modem-status entries get the decoded value beside the number.
bool DispatcherKind(std::uint8_t kind) { return kind <= static_cast<std::uint8_t>(LogKind::TrDatChg); }

void PutDecodedData(WrappedText& text, const Record& record) {
    if (!DispatcherKind(record.kind)) return;
    const auto subkind = static_cast<LogSubkind>(record.subkind);
    if (subkind == LogSubkind::Status || subkind == LogSubkind::StatusTrigger) {
        const unsigned type = record.data & 7;
        text.Put(type < kStatusTypeNames.size() ? std::string(kStatusTypeNames[type])
                                                 : "(Type " + std::to_string(type) + ")");
    } else if (subkind == LogSubkind::ModemStatus) {
        for (std::size_t bit = 0; bit < kModemBitNames.size(); ++bit) {
            if (record.data & (1u << bit)) text.Put(kModemBitNames[bit]);
        }
    }
}

}  // namespace

DispatchLog::DispatchLog() : origin_(std::chrono::steady_clock::now()) {}

int DispatchLog::Start(std::size_t bytes) {
    if (bytes > kMaxLogBytes) return base::ecBadArgument;
    if (ring_.size() != bytes) {
        ring_.assign(bytes, 0);
        ring_.shrink_to_fit();
    }
    Clear();
    started_ = true;
    paused_ = false;
    return 0;
}

bool DispatchLog::Active() const { return started_ && !paused_; }

void DispatchLog::Pause() { paused_ = true; }

void DispatchLog::Resume() { paused_ = false; }

void DispatchLog::Clear() {
    head_ = tail_ = used_ = entries_ = 0;
}

void DispatchLog::Stop() {
    std::vector<std::uint8_t>().swap(ring_);
    Clear();
    started_ = false;
    paused_ = false;
}

void DispatchLog::SetOrigin(std::chrono::steady_clock::time_point portOpened) { origin_ = portOpened; }

void DispatchLog::SetEngineSubkindNames(std::vector<std::string> names) { engineNames_ = std::move(names); }

void DispatchLog::Put(std::size_t at, const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) return;  // an empty span may carry no pointer at all
    const std::size_t first = std::min(count, ring_.size() - at);
    std::memcpy(ring_.data() + at, bytes, first);
    std::memcpy(ring_.data(), bytes + first, count - first);
}

void DispatchLog::Get(std::size_t at, std::uint8_t* bytes, std::size_t count) const {
    if (count == 0) return;
    const std::size_t first = std::min(count, ring_.size() - at);
    std::memcpy(bytes, ring_.data() + at, first);
    std::memcpy(bytes + first, ring_.data(), count - first);
}

void DispatchLog::DropOldest() {
    Record record;
    Get(tail_, reinterpret_cast<std::uint8_t*>(&record), sizeof record);
    const std::size_t size = sizeof record + record.length;
    tail_ = (tail_ + size) % ring_.size();
    used_ -= size;
    --entries_;
}

void DispatchLog::Add(LogKind kind, std::uint8_t subkind, std::uint32_t data, std::span<const std::uint8_t> bytes) {
    if (!Active()) return;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - origin_);
    const auto milliseconds = static_cast<std::uint32_t>(std::max<std::chrono::milliseconds::rep>(elapsed.count(), 0));
    AddAt(milliseconds, kind, subkind, data, bytes);
}

void DispatchLog::AddAt(std::uint32_t milliseconds, LogKind kind, std::uint8_t subkind, std::uint32_t data,
                        std::span<const std::uint8_t> bytes) {
    if (!Active() || ring_.size() < kLogRecordSize) return;
    Record record;
    record.kind = static_cast<std::uint8_t>(kind);
    record.subkind = subkind;
    record.milliseconds = milliseconds;
    record.data = data;
    // An entry larger than the whole log keeps its head rather than tearing others.
    const std::size_t room = ring_.size() - sizeof record;
    if (bytes.size() > room) {
        bytes = bytes.first(room);
        record.cut = 1;
    }
    record.length = static_cast<std::uint32_t>(bytes.size());
    const std::size_t size = sizeof record + bytes.size();
    while (ring_.size() - used_ < size) DropOldest();
    Put(head_, reinterpret_cast<const std::uint8_t*>(&record), sizeof record);
    Put((head_ + sizeof record) % ring_.size(), bytes.data(), bytes.size());
    head_ = (head_ + size) % ring_.size();
    used_ += size;
    ++entries_;
}

void DispatchLog::AddUserText(std::string_view text) {
    Add(LogKind::User, 0, 0, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::string DispatchLog::KindName(std::uint8_t kind) const {
    return kind < kKindNames.size() ? kKindNames[kind] : std::to_string(kind);
}

std::string DispatchLog::SubkindName(std::uint8_t subkind) const {
    if (subkind < kSubkindNames.size()) return kSubkindNames[subkind];
    const std::size_t engineIndex = subkind - kFirstEngineSubkind;
    return engineIndex < engineNames_.size() ? engineNames_[engineIndex] : std::to_string(subkind);
}

std::string DispatchLog::FormatEntries(bool hex, bool allHex) const {
    std::string out;
    WrappedText text(out, kOtherDataColumn);
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = tail_, i = 0; i < entries_; ++i) {
        Record record;
        Get(at, reinterpret_cast<std::uint8_t*>(&record), sizeof record);
        bytes.resize(record.length);
        Get((at + sizeof record) % ring_.size(), bytes.data(), bytes.size());
        at = (at + sizeof record + record.length) % ring_.size();

        char data[9];
        std::snprintf(data, sizeof data, "%08x", static_cast<unsigned>(record.data));
        text.BeginLine(PadLeft(FormatTime(record.milliseconds), 8) + "  " + PadRight(KindName(record.kind), 8) + "  " +
                       PadRight(SubkindName(record.subkind), 12) + "  " + data + "  ");
        PutDecodedData(text, record);
        for (std::uint8_t byte : bytes) text.Put(ByteToken(byte, hex, allHex));
        if (record.cut) text.Put("(cut)");
        text.EndLine();
    }
    return out;
}

std::string DispatchLog::Format(bool hex, bool allHex) const {
    return LogBanner() +
           "\n"
           "Time      Type      SubType       Data      OtherData\n"
           "--------  --------  ------------  --------  ---------\n" +
           FormatEntries(hex, allHex);
}

int DispatchLog::Write(const std::string& file, bool append, bool hex, bool allHex) {
    const int result = WriteReportFile(file, append, Format(hex, allHex));
    if (result == 0) Stop();
    return result;
}

}  // namespace vl::serial
