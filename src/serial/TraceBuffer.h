// The byte trace of a port: what went out and what came in, one entry per
// byte, kept in a circular buffer so that the newest entries survive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vl::serial {

// The most entries a trace may hold.
inline constexpr std::size_t kMaxTraceEntries = 4000000;

// Not thread-safe: the dispatcher calls it under its own lock.
class TraceBuffer {
public:
    // Allocates room for `entries` entries, or empties an existing trace; answers 0,
    // or ecBadArgument above kMaxTraceEntries. A trace of 0 entries records nothing.
    int Start(std::size_t entries);
    // Started and not paused.
    bool Active() const;
    bool Started() const { return started_; }
    void Pause();
    void Resume();
    // Records one byte; kind 'T' transmitted, 'R' received, anything else a
    // special kind. Ignored unless active.
    void Add(char kind, std::uint8_t byte);
    // Empties the trace; it stays started.
    void Clear();
    // Frees the trace.
    void Stop();
    std::size_t Size() const { return count_; }

    // Writes Format's text to `file` (appended when `append` and the file exists,
    // else replacing it) and stops the trace. Answers 0 or a negative I/O code;
    // on failure the trace is kept so that nothing recorded is lost.
    int Write(const std::string& file, bool append, bool hex, bool allHex);
    // The entries oldest first: a heading each time the kind changes ("Transmit: ",
    // "Receive: ", "Special-<kind>: "), a blank line between groups, bytes 32..126
    // (33..126 with `hex`) as themselves and others as "[decimal]" or "[hh]", every
    // byte as "[hh]" with `allHex`; lines wrap after 78 columns.
    std::string Format(bool hex, bool allHex) const;

private:
    struct Entry {
        char kind;
        std::uint8_t byte;
    };
    std::vector<Entry> entries_;
    std::size_t next_ = 0;   // where the next entry goes
    std::size_t count_ = 0;  // entries held, up to entries_.size()
    bool started_ = false;
    bool paused_ = false;
};

}  // namespace vl::serial
