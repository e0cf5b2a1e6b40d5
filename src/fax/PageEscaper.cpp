#include "fax/PageEscaper.h"

#include <algorithm>

#include "faxdoc/ApfFormat.h"
#include "faxdoc/MhCodes.h"

namespace vl::fax {

namespace {

// The bit stream is taken out well before the writer's buffer could fill.
constexpr std::size_t kTakeOutAt = faxdoc::BitWriter::kCapacity / 2;
constexpr unsigned kMostBitsAtOnce = 16;

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
        if (byte == kDle && dleDoubling_) Put(kDle);
        Put(byte);
    }
}

void PageEscaper::PutPage(std::span<const std::uint8_t> bytes) {
    if (!recoder_) {
        PutEscaped(bytes);
        return;
    }
    recoded_.clear();
    recoder_->Feed(bytes, recoded_);
    PutEscaped(recoded_);
}

void PageEscaper::TakeWholeBytes() {
    PutPage(bits_.WholeBytes());
    bits_.DropWholeBytes();
}

void PageEscaper::PutBits(std::uint16_t value, unsigned count) {
    bits_.Put(faxdoc::MhCode{value, static_cast<std::uint8_t>(count)});
    lineBits_ += count;
    if (bits_.WholeBytes().size() >= kTakeOutAt) TakeWholeBytes();
}

void PageEscaper::PutFillBits(std::size_t count) {
    // Up to a byte boundary, then whole zero bytes straight into the buffer.
    const unsigned head = (8 - bits_.PartialBits()) % 8;
    if (count >= head + 8) {
        PutBits(0, head);
        TakeWholeBytes();
        PutZeros((count - head) / 8);
        lineBits_ += (count - head) / 8 * 8;
        count = (count - head) % 8;
    }
    for (; count > 0; count -= std::min<std::size_t>(count, kMostBitsAtOnce))
        PutBits(0, static_cast<unsigned>(std::min<std::size_t>(count, kMostBitsAtOnce)));
}

void PageEscaper::PutRecordBits(std::span<const std::uint8_t> record, std::size_t from, std::size_t count) {
    while (count > 0) {
        const auto n = static_cast<unsigned>(std::min<std::size_t>(count, kMostBitsAtOnce));
        PutBits(faxdoc::MhBitsAt(record, from, n), n);
        from += n;
        count -= n;
    }
}

void PageEscaper::FillLine() {
    // The EOLs of the end of page follow each other with no fill.
    if (lineHasCodes_ && lineBits_ < 8 * lineBytes_) PutFillBits(8 * lineBytes_ - lineBits_);
    lineHasCodes_ = false;
}

void PageEscaper::PadToByte() {
    FillLine();
    if (bits_.PartialBits() != 0) PutBits(0, 8 - bits_.PartialBits());
    TakeWholeBytes();
    if (recoder_) {
        recoded_.clear();
        recoder_->PadToByte(recoded_);
        PutEscaped(recoded_);
    }
}

int PageEscaper::Flush() {
    if (fill_ > 0 && error_ == 0) error_ = sink_(std::span<const std::uint8_t>(buffer_.data(), fill_));
    fill_ = 0;
    const int rc = error_;
    error_ = 0;
    return rc;
}

void PageEscaper::StartPage() {
    bits_.Reset();
    lineBits_ = 0;
    lineBytes_ = 0;
    lineHasCodes_ = false;
    recoder_.reset();
}

void PageEscaper::StartPage(const faxdoc::RecodeSetup& onLine) {
    StartPage();
    if (onLine.to != faxdoc::PageCoding::Mh) recoder_ = std::make_unique<faxdoc::PageRecoder>(onLine);
}

int PageEscaper::SendRecord(std::span<const std::uint8_t> record, std::size_t minScanBytes) {
    // A re-coded line's time is kept by the re-coder: its MH needs no fill.
    lineBytes_ = recoder_ ? 0 : std::min(minScanBytes, kMaxScanBytes);
    if (!faxdoc::ScanMhRecord(record, pieces_)) {
        PadToByte();
        PutPage(record);
        if (record.size() < lineBytes_) PutZeros(lineBytes_ - record.size());
        return Flush();
    }
    const faxdoc::MhCode eol = faxdoc::MhCodes().eol;
    for (const faxdoc::MhRecordPiece& piece : pieces_) {
        if (piece.kind == faxdoc::MhRecordPiece::Codes) {
            PutRecordBits(record, piece.from, piece.bits);
            lineHasCodes_ = true;
            continue;
        }
        // The EOL after a line's code words ends on a byte boundary: on a
        // noisy line a receiver that lost its place in a damaged line then
        // finds the next line at once instead of several lines later. The
        // EOLs of the end of page follow each other; the first EOL of a page
        // or of a burst goes where the stream stands, which a noisy line
        // showed to lose fewer rows than filling it too.
        const bool afterCodes = lineHasCodes_;
        FillLine();
        if (afterCodes) PutFillBits((16 - (bits_.PartialBits() + eol.bits) % 8) % 8);
        lineBits_ = 0;
        PutBits(eol.code, eol.bits);
    }
    TakeWholeBytes();
    return Flush();
}

int PageEscaper::SendBlankLine(std::size_t minScanBytes) { return SendRecord(faxdoc::kBlankLineRecord, minScanBytes); }

int PageEscaper::EndBurst() {
    PadToByte();
    return Flush();
}

int PageEscaper::SendBlock(std::span<const std::uint8_t> bytes) {
    PadToByte();
    PutPage(bytes);
    return Flush();
}

int PageEscaper::EndPage() {
    PadToByte();
    if (recoder_) {
        recoded_.clear();
        recoder_->Finish(recoded_);
        PutEscaped(recoded_);
    }
    return Flush();
}

int PageEscaper::SendEndOfData() {
    PadToByte();
    Put(kDle);
    Put(kEtx);
    return Flush();
}

int PageEscaper::SendClass20PageEnd(NextPage next) {
    PadToByte();
    Put(kDle);
    Put(static_cast<std::uint8_t>(next));
    return Flush();
}

}  // namespace vl::fax
