// The MH bit stream inside a page's image data, handed out piece by piece so
// that a caller can report progress and stop between pieces.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "faxdoc/LineRecords.h"

namespace vl::faxdoc {

// Slice of a raw stream handed out at a time.
inline constexpr std::size_t kMhRawPiece = 512;

// Calls piece(bytes, done) for each piece: slices of a raw stream, or the bytes
// of each line record with the count words left out (records cut as
// LineRecordIterator cuts them; a record running past the end of the data ends
// the stream). `done` is the image data gone through so far. Stops early when
// piece answers false.
template <class Piece>
void ForEachMhPiece(std::span<const std::uint8_t> imageData, bool lineRecords, Piece&& piece) {
    if (!lineRecords) {
        for (std::size_t at = 0; at < imageData.size(); at += kMhRawPiece) {
            const std::size_t n = std::min(kMhRawPiece, imageData.size() - at);
            if (!piece(imageData.subspan(at, n), at + n)) return;
        }
        return;
    }
    LineRecordIterator records(imageData);
    std::span<const std::uint8_t> record;
    while (records.Next(record)) {
        const auto done = static_cast<std::size_t>(record.data() + record.size() - imageData.data());
        if (!piece(record, done)) return;
    }
}

}  // namespace vl::faxdoc
