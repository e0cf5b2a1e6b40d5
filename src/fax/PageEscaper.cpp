#include "fax/PageEscaper.h"

#include <algorithm>

#include "faxdoc/ApfFormat.h"

namespace vl::fax {

namespace {

// Bytes of a blank line that count toward the minimum scan-line length.
constexpr std::size_t kBlankLineCounted = 5;
// Below this minimum a blank line gets no padding.
constexpr std::size_t kBlankLinePadFrom = 7;

}  // namespace

void PageEscaper::Put(std::uint8_t byte) {
    if (error_ != 0) return;
    buffer_[fill_++] = byte;
    if (fill_ == buffer_.size()) Flush();
}

void PageEscaper::PutZeros(std::size_t count) {
    for (std::size_t i = 0; i < count && error_ == 0; ++i) Put(0);
}

void PageEscaper::PutEscaped(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) {
        if (byte == kDle) Put(kDle);
        Put(byte);
    }
}

int PageEscaper::Flush() {
    if (fill_ > 0 && error_ == 0) error_ = sink_(std::span<const std::uint8_t>(buffer_.data(), fill_));
    fill_ = 0;
    const int rc = error_;
    error_ = 0;
    return rc;
}

int PageEscaper::SendBlock(std::span<const std::uint8_t> bytes) {
    PutEscaped(bytes);
    return Flush();
}

int PageEscaper::SendRow(std::span<const std::uint8_t> row, std::size_t minScanBytes) {
    PutEscaped(row);
    const std::size_t lineBytes = std::min(minScanBytes, kMaxScanBytes);
    if (row.size() < lineBytes) PutZeros(lineBytes - row.size());
    return Flush();
}

int PageEscaper::SendBlankLine(std::size_t minScanBytes) {
    PutEscaped(faxdoc::kBlankLineRecord);
    if (minScanBytes >= kBlankLinePadFrom) PutZeros(std::min(minScanBytes, kMaxScanBytes) - kBlankLineCounted);
    return Flush();
}

int PageEscaper::SendZeros(std::size_t count) {
    PutZeros(count);
    return Flush();
}

int PageEscaper::SendEndOfData() {
    Put(kDle);
    Put(kEtx);
    return Flush();
}

int PageEscaper::SendClass20PageEnd(NextPage next) {
    Put(kDle);
    Put(static_cast<std::uint8_t>(next));
    return Flush();
}

}  // namespace vl::fax
