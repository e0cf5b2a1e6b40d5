#include "serial/OutputRing.h"

#include <algorithm>

namespace vl::serial {

void OutputRing::Allocate(std::size_t size)
{
    buffer_.assign(size, 0);
    head_ = tail_ = 0;
    full_ = false;
}

void OutputRing::Free()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
    head_ = tail_ = 0;
    full_ = false;
}

std::size_t OutputRing::Used() const
{
    if (full_)
        return buffer_.size();
    return head_ >= tail_ ? head_ - tail_ : buffer_.size() - tail_ + head_;
}

void OutputRing::Put(std::span<const std::uint8_t> data)
{
    if (data.empty() || data.size() > Space())
        return;
    const std::size_t first = std::min(data.size(), buffer_.size() - head_);
    std::copy_n(data.begin(), first, buffer_.begin() + static_cast<std::ptrdiff_t>(head_));
    std::copy(data.begin() + static_cast<std::ptrdiff_t>(first), data.end(), buffer_.begin());
    head_ = (head_ + data.size()) % buffer_.size();
    full_ = head_ == tail_;
}

std::span<const std::uint8_t> OutputRing::Contiguous()
{
    const std::size_t used = Used();
    if (used == 0)
        return {};
    if (tail_ + used > buffer_.size()) {
        std::rotate(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(tail_), buffer_.end());
        tail_ = 0;
        head_ = used % buffer_.size();
    }
    return std::span<const std::uint8_t>(buffer_).subspan(tail_, used);
}

void OutputRing::Release(std::size_t count)
{
    count = std::min(count, Used());
    if (count == 0)
        return;
    tail_ = (tail_ + count) % buffer_.size();
    full_ = false;
}

}  // namespace vl::serial
