#include "fax/SyncReplyReader.h"

#include <utility>

#include "fax/ResponseChecks.h"

namespace vl::fax {

SyncReplyReader::SyncReplyReader(std::string command) : command_(std::move(command)) {}

SyncReplyReader::Result SyncReplyReader::Feed(std::uint8_t byte) {
    if (result_ != Result::NeedMore) return result_;
    if (byte == '\r') {
        if (!line_.empty()) result_ = LineDone();
        return result_;
    }
    if (byte < ' ') return result_;
    line_.push_back(static_cast<char>(byte));
    if (line_.size() > kMaxLine) line_.erase(0, 1);
    return result_;
}

SyncReplyReader::Result SyncReplyReader::LineDone() {
    std::string line = std::move(line_);
    line_.clear();
    if (line == command_) return Result::NeedMore;
    if (HasError(line)) return Result::Failure;
    // After the information line any reply but an error completes the command.
    if (haveInfo_ || HasOk(line)) return Result::Success;
    info_ = std::move(line);
    haveInfo_ = true;
    return Result::NeedMore;
}

}  // namespace vl::fax
