// The dispatch log of a port: a circular byte buffer of time-stamped entries
// (reads, writes, triggers, handlers, thread events, protocol states, user
// notes) and the text report written from it for technical support.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vl::serial {

enum class LogKind : std::uint8_t {
    NoEvent, Dispatch, Trigger, Error, Thread, TrigAllc, TrigDisp, TrgHdAlc, TrgHdDsp,
    TrDatChg, Telnet, Fax, XModem, YModem, ZModem, Kermit, Ascii, BPlus, Packet, User
};

enum class LogSubkind : std::uint8_t {
    ReadCom = 1, WriteCom, LineStatus, ModemStatus, Avail, Timer, Data, Status, Start, Exit,
    Sleep, Wake, DataTrigger, TimerTrigger, StatusTrigger, AvailTrigger, Window, Procedure, Method
};

// Subkinds from here on are the fax engine's state names.
inline constexpr std::uint8_t kFirstEngineSubkind = 20;

// The most bytes a log may hold.
inline constexpr std::size_t kMaxLogBytes = 16000000;

// Bytes of an entry's record before its attached bytes.
inline constexpr std::size_t kLogRecordSize = 16;

// What the report shows for each entry, after time, kind, subkind and data:
// - subkind Status or StatusTrigger (data = a status trigger handle): the trigger's
//   type from handle & 7, "(Not active)", "(Modem status)", "(Line status)",
//   "(Output buffer free)", "(Output buffer used)" or "(Output sent)";
// - subkind ModemStatus (data = the modem status byte): the names of its set bits;
// - then the attached bytes (written data, read data, user text, or a note such
//   as "Deactivated" for a trigger change).
// Not thread-safe: the dispatcher calls it under its own lock.
class DispatchLog {
public:
    DispatchLog();

    // Allocates `bytes` bytes, or empties an existing log; answers 0, or
    // ecBadArgument above kMaxLogBytes. A log smaller than one record keeps nothing.
    int Start(std::size_t bytes);
    bool Active() const;
    bool Started() const { return started_; }
    void Pause();
    void Resume();
    void Clear();
    void Stop();
    // Entry times count in milliseconds from here (by default from construction).
    void SetOrigin(std::chrono::steady_clock::time_point portOpened);

    // Records an entry stamped now; ignored unless active. An entry that cannot
    // fit whole pushes out the oldest entries; one larger than the whole log
    // keeps its record and as many of its bytes as fit, and is marked as cut.
    void Add(LogKind kind, std::uint8_t subkind, std::uint32_t data, std::span<const std::uint8_t> bytes = {});
    void Add(LogKind kind, LogSubkind subkind, std::uint32_t data, std::span<const std::uint8_t> bytes = {}) {
        Add(kind, static_cast<std::uint8_t>(subkind), data, bytes);
    }
    // The same with the time given in milliseconds since the origin.
    void AddAt(std::uint32_t milliseconds, LogKind kind, std::uint8_t subkind, std::uint32_t data,
               std::span<const std::uint8_t> bytes = {});
    // A "User" entry carrying the text.
    void AddUserText(std::string_view text);
    // Names for subkinds from kFirstEngineSubkind on (the fax engine's states).
    void SetEngineSubkindNames(std::vector<std::string> names);

    // Entries held, and bytes they take.
    std::size_t EntryCount() const { return entries_; }
    std::size_t UsedBytes() const { return used_; }

    // Writes Format's text (appending when asked and the file exists) and stops
    // the log. Answers 0 or a negative I/O code; on failure the log is kept.
    int Write(const std::string& file, bool append, bool hex, bool allHex);
    // The report: banner, compiler and operating system lines, the column
    // headings and one line per entry, oldest first.
    std::string Format(bool hex, bool allHex) const;

private:
    std::string KindName(std::uint8_t kind) const;
    std::string SubkindName(std::uint8_t subkind) const;
    void Put(std::size_t at, const std::uint8_t* bytes, std::size_t count);
    void Get(std::size_t at, std::uint8_t* bytes, std::size_t count) const;
    void DropOldest();
    std::string FormatEntries(bool hex, bool allHex) const;

    std::vector<std::uint8_t> ring_;
    std::size_t head_ = 0;     // where the next entry goes
    std::size_t tail_ = 0;     // the oldest entry
    std::size_t used_ = 0;
    std::size_t entries_ = 0;
    bool started_ = false;
    bool paused_ = false;
    std::chrono::steady_clock::time_point origin_;
    std::vector<std::string> engineNames_;
};

}  // namespace vl::serial
