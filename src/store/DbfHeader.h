// The header of a .DBF file (dBase III layout): 32 bytes of table facts,
// one 32-byte descriptor per field, a 0x0D terminator.
//
//   0      version (0x03)            16..19  change counter (engine's own)
//   1..3   last update, yy mm dd     20..27  table identity (engine's own)
//   4..7   record count              28      flags
//   8..9   header length             29      language driver (0x03: Windows-1252)
//   10..11 record length
//
// Bytes 16..27 are reserved in the format and ignored by other readers; the
// engine keeps there a counter that moves with every change and an identity
// that is new with every created or packed file, so that an index file can
// tell whether it was built from the table as it is now.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "store/RecordLayout.h"

namespace vl::store {

inline constexpr size_t kDbfPrefixSize = 32;
inline constexpr char kDbfEndOfFile = 0x1A;

struct DbfHeader {
    std::string prefix;          // the first 32 bytes as read, kept for the bytes not modelled
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    uint32_t changeCounter = 0;
    uint64_t tableId = 0;
    RecordLayout layout;
};

// Reads the header from the start of a file. Throws std::invalid_argument
// naming the fault (short or inconsistent lengths, descriptors past the
// header, unknown field types, zero-width fields, a record length that does
// not match the fields).
DbfHeader ParseDbfHeader(std::string_view bytes);

// A complete header (prefix, descriptors, terminator) for a new table.
std::string BuildDbfHeader(const RecordLayout& layout, uint64_t tableId);

// The header's first 32 bytes with the count, date, counter and identity of
// the header put in (today's date as the last update).
std::string UpdatedPrefix(const DbfHeader& header);

// Letters, digits and "_" only, as field and tag names are made.
bool IsNameText(std::string_view name);

uint16_t GetLe16(std::string_view bytes, size_t at);
uint32_t GetLe32(std::string_view bytes, size_t at);
uint64_t GetLe64(std::string_view bytes, size_t at);
void PutLe16(std::string& bytes, size_t at, uint16_t value);
void PutLe32(std::string& bytes, size_t at, uint32_t value);
void PutLe64(std::string& bytes, size_t at, uint64_t value);

}  // namespace vl::store
