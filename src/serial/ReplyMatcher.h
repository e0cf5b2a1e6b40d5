// Watches a byte stream for an expected reply text, one byte at a time, the
// way AwaitReply counts matched characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vl::serial {

class ReplyMatcher {
public:
    // `ignoreCase` compares ASCII letters without regard to case.
    ReplyMatcher(std::string expected, bool ignoreCase);
    // Answers true once the whole text has been seen (and from then on until
    // Reset). A byte equal to the next expected one advances the count; any
    // other byte restarts it at 1 when it equals the first expected byte, else
    // at 0. An empty text is matched at once.
    bool Feed(std::uint8_t byte);
    bool Matched() const { return matched_ == expected_.size(); }
    void Reset() { matched_ = 0; }

private:
    bool Same(std::uint8_t byte, std::size_t index) const;

    std::string expected_;
    bool ignoreCase_;
    std::size_t matched_ = 0;
};

}  // namespace vl::serial
