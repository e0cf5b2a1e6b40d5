// The sending side of page data: bytes for the modem with every DLE doubled,
// gathered in an 8192-byte escape buffer that goes to the port's put-block
// whenever it fills and at the end of each call. Also the fill patterns of a
// page (zero padding, blank lines) and the DLE sequences that end page data.
// Page bytes are sent as stored; no bit order is reversed.
// Every method answers 0 or the sink's negative code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fax/ByteSink.h"
#include "fax/ControlBytes.h"

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

    // Page bytes, DLE-doubled.
    int SendBlock(std::span<const std::uint8_t> bytes);
    // A rendered row (header line, text cover) followed by zeros up to
    // `minScanBytes` (at most 8192).
    int SendRow(std::span<const std::uint8_t> row, std::size_t minScanBytes);
    // A white line: the blank-line record, then `minScanBytes` - 5 zeros when
    // `minScanBytes` is 7 or more.
    int SendBlankLine(std::size_t minScanBytes);
    // `count` zero bytes, to keep the modem's buffer filled.
    int SendZeros(std::size_t count);
    // DLE ETX: the end of page data for Classes 1 and 2.
    int SendEndOfData();
    // DLE and the Class 2.0 end-of-page character for what follows.
    int SendClass20PageEnd(NextPage next);

private:
    void Put(std::uint8_t byte);
    void PutZeros(std::size_t count);
    void PutEscaped(std::span<const std::uint8_t> bytes);
    // Hands what is gathered to the sink; answers the call's first failure.
    int Flush();

    ByteSink sink_;
    std::array<std::uint8_t, kEscapeBufferSize> buffer_{};
    std::size_t fill_ = 0;
    int error_ = 0;  // first sink failure of the current call
};

}  // namespace vl::fax
