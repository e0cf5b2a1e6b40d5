// What the MR and MMR decoders promise whatever the bytes: they stop; every
// line is (width + 7) / 8 bytes with white past the width; the lines do not
// depend on how the data is cut into pieces; and the lines, coded again by
// our encoder, decode to themselves.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "FuzzCheck.h"
#include "faxdoc/TwoDimEncoder.h"

namespace vl::fuzz {

struct TwoDimResult {
    // Random bits make up to eight lines a byte: only the first are kept.
    static constexpr std::size_t kKeptLines = 256;

    std::vector<std::vector<std::uint8_t>> lines;
    std::size_t lineCount = 0;
    int badLines = 0;
    int error = 0;
    bool ended = false;
    bool operator==(const TwoDimResult&) const = default;

    void Line(std::span<const std::uint8_t> line) {
        if (++lineCount <= kKeptLines) lines.emplace_back(line.begin(), line.end());
    }
};

// Decode(bytes, width, piece) -> TwoDimResult.
template <class Decode>
void CheckTwoDimDecoder(std::span<const std::uint8_t> data, faxdoc::TwoDimCoding coding, Decode decode) {
    // The first byte picks a width (fax widths and awkward ones) and a piece size.
    if (data.empty()) return;
    static constexpr int kWidths[] = {1728, 2048, 2432, 13, 1, 64, 4096, 200};
    const int width = kWidths[data[0] % 8];
    const std::size_t piece = 1 + (data[0] >> 3);
    data = data.subspan(1);

    const TwoDimResult whole = decode(data, width, data.size() + 1);
    Check(decode(data, width, piece) == whole);
    const auto stride = static_cast<std::size_t>(width + 7) / 8;
    const auto padding = static_cast<std::uint8_t>(0xFFu >> (width - 8 * (static_cast<int>(stride) - 1)));
    for (const auto& line : whole.lines) {
        Check(line.size() == stride);
        Check((line.back() & padding) == 0);
    }
    // Every line and every bad line took at least one bit.
    Check(whole.lineCount + static_cast<std::size_t>(whole.badLines) <= 8 * data.size() + 1);

    faxdoc::TwoDimEncoder encoder({coding, width, 2, 0});
    std::vector<std::uint8_t> again;
    for (const auto& line : whole.lines) encoder.Encode(line, again);
    encoder.Finish(again);
    const TwoDimResult redecoded = decode(again, width, again.size() + 1);
    Check(redecoded.lines == whole.lines && redecoded.badLines == 0 && redecoded.error == 0 && redecoded.ended);
}

}  // namespace vl::fuzz
