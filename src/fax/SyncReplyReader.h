// Reads the modem's reply to a command sent while a session is being prepared,
// before the state machine runs. The caller sends the command, feeds every
// byte that arrives and stops at the first answer that is not NeedMore; when
// its response timer runs out first, the command failed.
//
// Lines end at CR; bytes below 32 are ignored (so LF and stray control bytes
// vanish) and a line longer than 128 characters keeps its last 128. A line
// equal to the command is the modem's echo and is skipped. A line containing
// "ERROR" fails, one containing "OK" succeeds; any other line is the
// information part of a query (kept as Info()) and one more line is read: it
// succeeds unless it contains "ERROR".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl::fax {

class SyncReplyReader {
public:
    enum class Result { NeedMore, Success, Failure };

    static constexpr std::size_t kMaxLine = 128;

    explicit SyncReplyReader(std::string command);

    // Once Success or Failure is answered, further bytes change nothing.
    Result Feed(std::uint8_t byte);
    // The information line of a query; empty when none came.
    const std::string& Info() const { return info_; }

private:
    Result LineDone();

    std::string command_;
    std::string line_;
    std::string info_;
    bool haveInfo_ = false;
    Result result_ = Result::NeedMore;
};

}  // namespace vl::fax
