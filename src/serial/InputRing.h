// The receive ring of a port: a fixed 8192 bytes whatever queue size was
// asked for. Not thread-safe: the dispatcher guards it with its input lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vl::serial {

class InputRing {
public:
    static constexpr std::size_t kSize = 8192;

    // Allocates the ring (empty); Free releases it. Nothing fits while freed.
    void Allocate();
    void Free();

    std::size_t Unread() const;
    std::size_t Space() const { return buffer_.size() - Unread(); }
    bool Full() const { return full_; }

    // The free bytes that follow the head without wrapping, for the device to
    // read into; Commit then takes `count` of them as received.
    std::span<std::uint8_t> ContiguousSpace();
    void Commit(std::size_t count);

    // The unread byte `index` places after the tail (0 = the oldest).
    std::uint8_t At(std::size_t index) const;
    // Drops the `count` oldest unread bytes (at most all of them).
    void Consume(std::size_t count);
    void Clear() { Consume(Unread()); }

    // Bytes committed since allocation: a position that never repeats, so
    // that a ring refilled to the same index still counts as new data.
    std::uint64_t Received() const { return received_; }

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t head_ = 0;  // where the next byte goes
    std::size_t tail_ = 0;  // the oldest unread byte
    bool full_ = false;
    std::uint64_t received_ = 0;
};

}  // namespace vl::serial
