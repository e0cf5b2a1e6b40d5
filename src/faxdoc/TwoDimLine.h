// What the MR and MMR decoders share: the line being decoded, as its changes,
// against the line above it, and the pixels of each finished line. The calls
// check only that a code keeps the line in order and within its width; the
// decoders decide what a failed call means.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/LineChanges.h"
#include "faxdoc/MhCodes.h"

namespace vl::faxdoc {

class TwoDimLine {
public:
    // Lines of a few pixels more than the width are taken with their end cut
    // off when coded one-dimensionally, as the MH decoder takes them.
    static constexpr int kOneDimSlack = 7;

    explicit TwoDimLine(int width)
        : width_(width), reference_(width), coding_(width), row_(static_cast<std::size_t>(width + 7) / 8) {}

    int Width() const { return width_; }
    // Forgets the line decoded so far.
    void Restart() {
        coding_.Clear();
        a0_ = -1;
        black_ = false;
        b1Index_ = 0;
        run_ = 0;
        runsLeft_ = 0;
    }
    // No code taken since Restart.
    bool Untouched() const { return a0_ < 0 && run_ == 0 && runsLeft_ == 0; }
    // Two-dimensional modes have reached the width.
    bool Complete() const { return a0_ >= width_; }
    // One-dimensional runs have reached the width, and no make-up code waits
    // for its terminating code.
    bool OneDimComplete() const { return a0_ >= width_ && run_ == 0; }

    // The colour of the run code expected next: a0's, or for the second run
    // of a horizontal mode the other one.
    MhColor RunColour() const { return black_ == (runsLeft_ == 1) ? MhColor::White : MhColor::Black; }
    bool InHorizontal() const { return runsLeft_ > 0; }

    void Pass() {
        const int i = reference_.FindB1(b1Index_, a0_, black_);
        a0_ = reference_[i + 1];
        b1Index_ = i + 2;
    }
    bool Vertical(int offset) {
        const int i = reference_.FindB1(b1Index_, a0_, black_);
        const int a1 = reference_[i] + offset;
        // Left of the line (a0 is -1 before its first pixel), left of a0 or
        // past the width.
        if (static_cast<unsigned>(a1) > static_cast<unsigned>(width_) || a1 < a0_) return false;
        if (a1 < width_) coding_.Add(a1);
        a0_ = a1;
        black_ = !black_;
        // Changes of the new colour left of b1 lie left of a0 too, but for
        // the one just before b1 when a1 is left of b1.
        b1Index_ = offset >= 0 ? i + 1 : std::max(i - 1, 0);
        return true;
    }
    void StartHorizontal() {
        runsLeft_ = 2;
        run_ = 0;
    }
    // A run code of a horizontal mode, make-up codes added up.
    bool HorizontalCode(bool terminating, int value) {
        run_ += value;
        if (run_ > width_) return false;
        if (!terminating) return true;
        if (--runsLeft_ == 1) {
            firstRun_ = run_;
            run_ = 0;
            return true;
        }
        const int a1 = std::max(a0_, 0) + firstRun_;
        const int a2 = a1 + run_;
        run_ = 0;
        if (a2 > width_) return false;
        if (a1 < width_) coding_.Add(a1);
        if (a2 < width_) coding_.Add(a2);
        a0_ = a2;
        return true;
    }
    // A run code of a one-dimensional line.
    bool OneDimCode(bool terminating, int value) {
        run_ += value;
        const int end = std::max(a0_, 0) + run_;
        if (end > width_ + kOneDimSlack) return false;
        if (!terminating) return true;
        if (end < width_) coding_.Add(end);
        a0_ = end;
        black_ = !black_;
        run_ = 0;
        return true;
    }

    // The finished line's pixels, (width + 7) / 8 bytes, 1 = black; the line
    // becomes the reference for the next, which starts. Valid until the next
    // call.
    std::span<const std::uint8_t> Finish() {
        coding_.Close();
        coding_.Render(row_);
        std::swap(reference_, coding_);
        Restart();
        return row_;
    }

private:
    int width_;
    LineChanges reference_;
    LineChanges coding_;
    std::vector<std::uint8_t> row_;
    int a0_ = -1;  // -1 before the line's first pixel
    bool black_ = false;  // a0's colour
    int b1Index_ = 0;
    int run_ = 0;       // of the run being read: make-up codes so far
    int runsLeft_ = 0;  // run codes the horizontal mode still expects
    int firstRun_ = 0;
};

}  // namespace vl::faxdoc
