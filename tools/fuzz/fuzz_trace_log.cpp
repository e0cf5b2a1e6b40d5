// Arbitrary bytes drive additions of every kind, subkind and length into small
// traces and dispatch logs, which are then reported in every byte mode: the
// rings never hold more than their size and no report line passes the width.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "FuzzCheck.h"
#include "serial/DispatchLog.h"
#include "serial/LogText.h"
#include "serial/TraceBuffer.h"

namespace {

using vl::serial::kReportWidth;

using vl::fuzz::Check;

const std::string kLongStateName = "a state name longer than its column of twelve";

// Every line ends in a line feed and keeps to the width; a line that begins an
// entry may pass it when its fields alone do (a long state name), by at most
// its first piece (the longest is "(Output buffer used)").
void CheckLines(const std::string& text, std::size_t longestFirstLine) {
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const bool continuation = end > start && text[start] == ' ';
        Check(end - start <= (continuation ? kReportWidth : std::max(kReportWidth, longestFirstLine)));
    }
    Check(start == text.size());
}

std::string LogEntries(const std::string& report) {
    const std::string headings = "--------  --------  ------------  --------  ---------\n";
    const std::size_t at = report.find(headings);
    Check(at != std::string::npos);
    return report.substr(at + headings.size());
}

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::span<const std::uint8_t> Take(std::size_t count) {
        count = std::min(count, size_ - std::min(at_, size_));
        std::span<const std::uint8_t> bytes(data_ + at_, count);
        at_ += count;
        return bytes;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vl::serial;
    Input input(data, size);
    TraceBuffer trace;
    DispatchLog log;
    const std::size_t traceEntries = input.Byte() % 64;
    const std::size_t logBytes = input.Byte() * 2;
    Check(trace.Start(traceEntries) == 0);
    Check(log.Start(logBytes) == 0);
    log.SetEngineSubkindNames({"rfInit", kLongStateName});
    while (!input.Empty()) {
        const std::uint8_t op = input.Byte();
        switch (op % 8) {
            case 0: trace.Pause(); break;
            case 1: trace.Resume(); log.Resume(); break;
            case 2: log.Pause(); break;
            case 3: trace.Add(static_cast<char>(input.Byte()), input.Byte()); break;
            case 4: log.AddUserText({reinterpret_cast<const char*>(data), std::min<std::size_t>(size, op)}); break;
            default: {
                const auto kind = static_cast<LogKind>(input.Byte() % 24);
                const std::uint8_t subkind = input.Byte() % 24;
                const std::uint32_t data32 = input.Byte() * 0x01010101u;
                const std::uint32_t ms = input.Byte() * 40503u;
                log.AddAt(ms, kind, subkind, data32, input.Take(input.Byte()));
            }
        }
        Check(trace.Size() <= traceEntries);
        Check(log.UsedBytes() <= logBytes);
    }
    for (bool hex : {false, true}) {
        for (bool allHex : {false, true}) {
            CheckLines(trace.Format(hex, allHex), kReportWidth);
            // Time up to "4294967.295", the kind, the state name, the data.
            const std::size_t longestFields = 11 + 2 + 8 + 2 + kLongStateName.size() + 2 + 8 + 2;
            CheckLines(LogEntries(log.Format(hex, allHex)), longestFields + 20);
        }
    }
    return 0;
}
