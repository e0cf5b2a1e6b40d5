// A line held as the places where its colour changes, the form both
// two-dimensional coders work in: positions left to right, the first the
// first black pixel (pixels left of the line count as white), each later one
// where the colour flips again. Behind them stand copies of the width, so
// that a search for the next change always stops.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace vl::faxdoc {

class LineChanges {
public:
    explicit LineChanges(int width)
        : width_(width), at_(static_cast<std::size_t>(width) + kSentinels) {
        Clear();
    }

    int Width() const { return width_; }
    int Count() const { return count_; }
    // i up to Count() + kSentinels - 1; from Count() on, the width.
    int operator[](int i) const { return at_[static_cast<std::size_t>(i)]; }

    void Clear() {
        count_ = 0;
        Close();
    }
    // The changes of a raster of (width + 7) / 8 bytes, bit 7 leftmost;
    // bytes missing from a short span count as white, pixels past the width
    // are not looked at.
    void FromRaster(std::span<const std::uint8_t> raster);
    // The line as (width + 7) / 8 bytes, 1 = black.
    void Render(std::span<std::uint8_t> row) const;

    // A change at x, at or right of the last one and before the width; one
    // at the last one's place undoes it (a run of no pixels).
    void Add(int x) {
        if (count_ > 0 && at_[static_cast<std::size_t>(count_ - 1)] == x) {
            --count_;
        } else {
            at_[static_cast<std::size_t>(count_++)] = static_cast<std::uint16_t>(x);
        }
    }
    // Sets the copies of the width behind the changes, after Add.
    void Close() {
        for (int i = 0; i < kSentinels; ++i) at_[static_cast<std::size_t>(count_ + i)] = static_cast<std::uint16_t>(width_);
    }

    // The index of b1: from index `from` on (with no change between `from`
    // and b1 right of a0 that has the wanted colour), the first change right
    // of a0 (-1 before the line's first pixel) that turns the line to the
    // colour opposite to a0's. At most Count() + 1 while a0 is left of the
    // width, so that b2 follows it.
    int FindB1(int from, int a0, bool a0Black) const {
        // Changes to black have even indexes.
        int i = std::min(from, count_);
        i += (i & 1) != static_cast<int>(a0Black);
        while (at_[static_cast<std::size_t>(i)] <= a0) i += 2;
        return i;
    }

private:
    static constexpr int kSentinels = 4;

    int width_;
    int count_ = 0;
    // Narrower than int, so that the decoders' stores here cannot alias their
    // int state, which then stays in registers.
    std::vector<std::uint16_t> at_;
};

}  // namespace vl::faxdoc
