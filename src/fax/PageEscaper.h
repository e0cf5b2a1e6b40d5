// The sending side of page data: bytes for the modem with every DLE doubled,
// gathered in an 8192-byte escape buffer that goes to the port's put-block
// whenever it fills and at the end of each call. Also the DLE sequences that
// end page data.
//
// Line records (APF records, rendered rows, the blank line, the end of page)
// are re-packed into one continuous MH bit stream with the least fill: every
// line starts with an EOL, and the EOL after a line's code words ends on a
// byte boundary, with fill before it only to reach that boundary once the
// line lasts the minimum scan-line time; the EOLs of the end of page follow
// each other, and a burst of data ends on a byte boundary. A stored record carries up to two bytes of
// fill more. Page bytes are otherwise sent as stored; no bit order is
// reversed. Every method answers 0 or the sink's negative code.
//
// A page that goes on the line in MR or MMR is built the same way and then
// re-coded line by line on its way to the escape buffer. With error
// correction the page goes into frames, not to the modem's data mode: DLE
// doubling is then switched off.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "fax/ByteSink.h"
#include "fax/ControlBytes.h"
#include "faxdoc/BitWriter.h"
#include "faxdoc/MhRecordScan.h"
#include "faxdoc/PageRecoder.h"

namespace vl::fax {

// What follows a Class 2.0 page, told to the modem after DLE.
enum class NextPage : std::uint8_t {
    SameResolution = ',',
    OtherResolution = ';',
    None = '.',
};

class PageEscaper {
public:
    static constexpr std::size_t kEscapeBufferSize = 8192;
    // A scan line is never padded beyond this many bytes.
    static constexpr std::size_t kMaxScanBytes = 8192;

    explicit PageEscaper(ByteSink sink) : sink_(std::move(sink)) {}

    // Forgets what is left of the previous page's bit stream. The page goes
    // out in MH as it is built, or re-coded into `onLine.to` (`onLine.from`
    // is MH); the minimum scan-line bytes are then the re-coder's.
    void StartPage();
    void StartPage(const faxdoc::RecodeSetup& onLine);
    // DLE doubling, on unless switched off.
    void SetDleDoubling(bool on) { dleDoubling_ = on; }
    // A line record into the bit stream; a line that started before it is
    // first filled to `minScanBytes` (at most 8192) from its EOL to the
    // record's first EOL. The bits of a byte not yet full wait for what
    // follows. A record that is not EOLs and whole code words is sent as
    // stored from a byte boundary, padded with zeros to `minScanBytes`.
    // The calls below that start on a byte boundary fill an open line first.
    int SendRecord(std::span<const std::uint8_t> record, std::size_t minScanBytes);
    // The white line of the top margin, as SendRecord.
    int SendBlankLine(std::size_t minScanBytes);
    // Fill bits to the next byte boundary, and the byte handed over: what the
    // modem has then ends between two lines, so that zeros it adds itself
    // when it runs short of data only lengthen a line's fill.
    int EndBurst();
    // Page bytes, DLE-doubled, from a byte boundary.
    int SendBlock(std::span<const std::uint8_t> bytes);
    // After the page's last line: a re-coded page is ended (RTC or EOFB) even
    // when its MH had no RTC, and everything gathered goes to the sink.
    int EndPage();
    // DLE ETX: the end of page data for Classes 1 and 2.
    int SendEndOfData();
    // DLE and the Class 2.0 end-of-page character for what follows.
    int SendClass20PageEnd(NextPage next);

private:
    void Put(std::uint8_t byte);
    void PutZeros(std::size_t count);
    void PutEscaped(std::span<const std::uint8_t> bytes);
    // Page bytes in MH: escaped, or re-coded first.
    void PutPage(std::span<const std::uint8_t> bytes);
    // Bits into the stream, the first in bit 0 of `value`; `count` at most 16.
    void PutBits(std::uint16_t value, unsigned count);
    void PutFillBits(std::size_t count);
    // Fill for a line with code words that has not lasted its minimum yet.
    void FillLine();
    void PutRecordBits(std::span<const std::uint8_t> record, std::size_t from, std::size_t count);
    // The stream's whole bytes into the escape buffer.
    void TakeWholeBytes();
    // The open line filled to its minimum, then fill to a byte boundary:
    // whatever follows starts a new line or ends the page.
    void PadToByte();
    // Hands what is gathered to the sink; answers the call's first failure.
    int Flush();

    ByteSink sink_;
    std::array<std::uint8_t, kEscapeBufferSize> buffer_{};
    std::size_t fill_ = 0;
    int error_ = 0;  // first sink failure of the current call

    bool dleDoubling_ = true;
    std::unique_ptr<faxdoc::PageRecoder> recoder_;  // the page is not sent in MH
    std::vector<std::uint8_t> recoded_;

    faxdoc::BitWriter bits_;
    std::vector<faxdoc::MhRecordPiece> pieces_;
    std::size_t lineBits_ = 0;   // bits sent since the current line's EOL began
    std::size_t lineBytes_ = 0;  // the minimum scan-line bytes the last record asked for
    bool lineHasCodes_ = false;  // code words since that EOL: a line to fill
};

}  // namespace vl::fax
