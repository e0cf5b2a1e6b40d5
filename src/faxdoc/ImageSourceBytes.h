// Bounds-checked reading of numbers from a file held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vl::faxdoc {

class ImageSourceBytes {
public:
    explicit ImageSourceBytes(std::span<const std::uint8_t> data, bool bigEndian = false)
        : data_(data), bigEndian_(bigEndian) {}

    std::size_t size() const { return data_.size(); }
    // True when `count` bytes from `offset` lie inside the data.
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= data_.size() && count <= data_.size() - offset;
    }
    // Each getter answers false, leaving `value` alone, when the bytes are not all there.
    bool Get8(std::uint64_t offset, std::uint32_t& value) const { return Get(offset, 1, value); }
    bool Get16(std::uint64_t offset, std::uint32_t& value) const { return Get(offset, 2, value); }
    bool Get32(std::uint64_t offset, std::uint32_t& value) const { return Get(offset, 4, value); }
    std::span<const std::uint8_t> Slice(std::size_t offset, std::size_t count) const {
        return data_.subspan(offset, count);
    }

private:
    bool Get(std::uint64_t offset, int count, std::uint32_t& value) const {
        if (!Has(offset, count)) return false;
        std::uint32_t v = 0;
        for (int i = 0; i < count; ++i) {
            const int at = bigEndian_ ? i : count - 1 - i;
            v = (v << 8) | data_[offset + at];
        }
        value = v;
        return true;
    }

    std::span<const std::uint8_t> data_;
    bool bigEndian_;
};

}  // namespace vl::faxdoc
