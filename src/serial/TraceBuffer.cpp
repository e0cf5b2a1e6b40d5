#include "serial/TraceBuffer.h"

#include "base/ErrorCodes.h"
#include "serial/LogText.h"

namespace vl::serial {

namespace {

std::string KindHeading(char kind) {
    if (kind == 'T') return "Transmit: ";
    if (kind == 'R') return "Receive: ";
    const auto code = static_cast<std::uint8_t>(kind);
    return "Special-" + ByteToken(code, false, false) + ": ";
}

}  // namespace

int TraceBuffer::Start(std::size_t entries) {
    if (entries > kMaxTraceEntries) return base::ecBadArgument;
    if (entries_.size() != entries) {
        entries_.assign(entries, Entry{});
        entries_.shrink_to_fit();
    }
    next_ = 0;
    count_ = 0;
    started_ = true;
    paused_ = false;
    return 0;
}

bool TraceBuffer::Active() const { return started_ && !paused_; }

void TraceBuffer::Pause() { paused_ = true; }

void TraceBuffer::Resume() { paused_ = false; }

void TraceBuffer::Add(char kind, std::uint8_t byte) {
    if (!Active() || entries_.empty()) return;
    entries_[next_] = Entry{kind, byte};
    next_ = next_ + 1 == entries_.size() ? 0 : next_ + 1;
    if (count_ < entries_.size()) ++count_;
}

void TraceBuffer::Clear() {
    next_ = 0;
    count_ = 0;
}

void TraceBuffer::Stop() {
    std::vector<Entry>().swap(entries_);
    next_ = 0;
    count_ = 0;
    started_ = false;
    paused_ = false;
}

int TraceBuffer::Write(const std::string& file, bool append, bool hex, bool allHex) {
    const int result = WriteReportFile(file, append, Format(hex, allHex));
    if (result == 0) Stop();
    return result;
}

std::string TraceBuffer::Format(bool hex, bool allHex) const {
    std::string out;
    WrappedText text(out);
    const std::size_t oldest = count_ < entries_.size() ? 0 : next_;
    for (std::size_t i = 0; i < count_; ++i) {
        const Entry& entry = entries_[(oldest + i) % entries_.size()];
        if (i == 0 || entry.kind != entries_[(oldest + i - 1) % entries_.size()].kind) {
            if (i != 0) {
                text.EndLine();
                text.EndLine();
            }
            text.BeginLine(KindHeading(entry.kind));
        }
        text.Put(ByteToken(entry.byte, hex, allHex));
    }
    if (count_ != 0) text.EndLine();
    return out;
}

}  // namespace vl::serial
