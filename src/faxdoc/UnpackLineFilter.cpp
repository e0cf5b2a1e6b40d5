#include "faxdoc/UnpackLineFilter.h"

#include <algorithm>

namespace vl::faxdoc {

UnpackLineFilter::UnpackLineFilter(const UnpackOptions& options, bool fineResolution, PageCollector& out)
    : out_(out),
      from_(options.whitespaceFrom != 0 && options.whitespaceTo != 0 ? options.whitespaceFrom : 0),
      to_(options.whitespaceTo),
      aspect_(fineResolution ? AspectMode::None : options.aspect) {}

void UnpackLineFilter::Line(std::span<const std::uint8_t> line) {
    if (from_ > 0) {
        if (std::all_of(line.begin(), line.end(), [](std::uint8_t b) { return b == 0; })) {
            ++blankRun_;
            blankWidth_ = line.size();
            return;
        }
        FlushBlanks();
    }
    Deliver(line);
}

void UnpackLineFilter::Finish() {
    // Trailing blank lines follow the same rule as those between text, so that
    // a page keeps its bottom margin (squeezed like any other blank run).
    FlushBlanks();
}

void UnpackLineFilter::FlushBlanks() {
    if (blankRun_ == 0) return;
    const int count = blankRun_ >= from_ ? to_ : blankRun_;
    const std::vector<std::uint8_t> blank(blankWidth_, 0);
    for (int i = 0; i < count; ++i) Deliver(blank);
    blankRun_ = 0;
}

void UnpackLineFilter::Deliver(std::span<const std::uint8_t> line) {
    switch (aspect_) {
    case AspectMode::None:
        out_.AddLine(line);
        break;
    case AspectMode::DoubleHeight:
        out_.AddLine(line);
        out_.AddLine(line);
        break;
    case AspectMode::HalfWidth: {
        // Each pair of neighbouring pixels becomes one, black if either is.
        halved_.assign(line.size() / 2, 0);
        for (std::size_t i = 0; i < halved_.size() * 2; ++i) {
            std::uint8_t folded = 0;
            for (int pair = 0; pair < 4; ++pair) {
                if (line[i] & (0xC0 >> (2 * pair))) folded |= static_cast<std::uint8_t>(0x80 >> pair);
            }
            halved_[i / 2] |= static_cast<std::uint8_t>((i & 1) ? folded >> 4 : folded);
        }
        out_.AddLine(halved_);
        break;
    }
    }
}

}  // namespace vl::faxdoc
