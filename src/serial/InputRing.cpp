#include "serial/InputRing.h"

#include <algorithm>

namespace vl::serial {

void InputRing::Allocate()
{
    buffer_.assign(kSize, 0);
    head_ = tail_ = 0;
    full_ = false;
    received_ = 0;
}

void InputRing::Free()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
    head_ = tail_ = 0;
    full_ = false;
}

std::size_t InputRing::Unread() const
{
    if (full_)
        return buffer_.size();
    return head_ >= tail_ ? head_ - tail_ : buffer_.size() - tail_ + head_;
}

std::span<std::uint8_t> InputRing::ContiguousSpace()
{
    if (full_ || buffer_.empty())
        return {};
    const std::size_t end = tail_ > head_ ? tail_ : buffer_.size();
    return std::span<std::uint8_t>(buffer_).subspan(head_, end - head_);
}

void InputRing::Commit(std::size_t count)
{
    count = std::min(count, Space());
    if (count == 0)
        return;
    head_ = (head_ + count) % buffer_.size();
    received_ += count;
    full_ = head_ == tail_;
}

std::uint8_t InputRing::At(std::size_t index) const
{
    return buffer_[(tail_ + index) % buffer_.size()];
}

void InputRing::Consume(std::size_t count)
{
    count = std::min(count, Unread());
    if (count == 0)
        return;
    tail_ = (tail_ + count) % buffer_.size();
    full_ = false;
}

}  // namespace vl::serial
