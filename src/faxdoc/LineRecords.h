// Walks the line records of a page's image data held in memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace vl::faxdoc {

class LineRecordIterator {
public:
    explicit LineRecordIterator(std::span<const std::uint8_t> imageData) : data_(imageData) {}

    // The next record's bytes, cut to 4096 as a reader of files cuts them
    // (the rest of a longer record is skipped). False at the end of the data,
    // or when a count word or its record runs past the end: Error() is then
    // ecFaxBadFormat.
    bool Next(std::span<const std::uint8_t>& record);
    int Error() const { return error_; }

private:
    std::span<const std::uint8_t> data_;
    std::size_t position_ = 0;
    int error_ = 0;
};

}  // namespace vl::faxdoc
