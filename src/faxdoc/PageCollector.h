// Gathers the lines of one page into a PageImage.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/PageImage.h"

namespace vl::faxdoc {

// The image is only as wide as the page's rightmost black pixel (in whole
// bytes, rounded up to an even count, at least 2 bytes once a line arrived),
// not the full fax width, so that a narrow page does not carry blank margin.
class PageCollector {
public:
    static constexpr std::size_t kMaxLineBytes = 256;

    // Lines longer than kMaxLineBytes are cut; an empty line is a white row.
    void AddLine(std::span<const std::uint8_t> line);
    int Lines() const { return lines_; }

    // Moves the collected rows into an image; the collector is empty afterwards.
    PageImage Take();

private:
    std::vector<std::uint8_t> slots_;  // kMaxLineBytes per line
    int lines_ = 0;
    std::size_t widest_ = 1;
};

}  // namespace vl::faxdoc
