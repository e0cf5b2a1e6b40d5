// Between the decoder and the collector: blank-line compression and the aspect
// correction of normal-resolution pages.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "faxdoc/PageCollector.h"
#include "faxdoc/UnpackOptions.h"

namespace vl::faxdoc {

class UnpackLineFilter {
public:
    UnpackLineFilter(const UnpackOptions& options, bool fineResolution, PageCollector& out);

    void Line(std::span<const std::uint8_t> line);
    // Passes on the blank lines still held back at the end of the page.
    void Finish();

private:
    void FlushBlanks();
    void Deliver(std::span<const std::uint8_t> line);

    PageCollector& out_;
    int from_;
    int to_;
    AspectMode aspect_;
    int blankRun_ = 0;
    std::size_t blankWidth_ = 0;
    std::vector<std::uint8_t> halved_;
};

}  // namespace vl::faxdoc
