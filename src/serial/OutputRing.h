// The transmit ring of a port, as large as the output queue asked for. Not
// thread-safe: the dispatcher guards it with its output lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vl::serial {

class OutputRing {
public:
    // Allocates `size` bytes (empty); Free releases them.
    void Allocate(std::size_t size);
    void Free();

    std::size_t Size() const { return buffer_.size(); }
    std::size_t Used() const;
    std::size_t Space() const { return Size() - Used(); }
    bool Full() const { return full_; }

    // Copies `data` in after the head, wrapping; the caller has made sure it
    // fits. Filling the last free byte marks the ring full.
    void Put(std::span<const std::uint8_t> data);
    // All queued bytes in one piece: when they wrap, the ring is first turned
    // so that they start at offset 0. Bytes put later land after them, so the
    // span stays valid until Release, Clear or Free.
    std::span<const std::uint8_t> Contiguous();
    // Drops the `count` oldest bytes (at most all of them).
    void Release(std::size_t count);
    void Clear() { Release(Used()); }

private:
    std::vector<std::uint8_t> buffer_;
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
    bool full_ = false;
};

}  // namespace vl::serial
