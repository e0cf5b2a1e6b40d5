// The tag bytes of the tagged value encoding shared by the design and render
// files. Integers are little-endian; a short string is a length byte and then
// that many bytes.
#pragma once

#include <cstdint>

namespace vl::cover {

enum class ValueTag : std::uint8_t {
    EndOfList = 0x00,
    ListBegin = 0x01,
    Int8 = 0x02,
    Int16 = 0x03,
    Int32 = 0x04,
    Extended = 0x05,
    String = 0x06,
    Identifier = 0x07,
    False = 0x08,
    True = 0x09,
    Binary = 0x0A,
    Set = 0x0B,
    LongString = 0x0C,
    Nil = 0x0D,
};

}  // namespace vl::cover
