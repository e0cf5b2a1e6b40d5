// The codings a fax page travels in on the line. Pages are stored in MH;
// the others exist only between two fax machines.
#pragma once

#include <cstdint>

namespace vl::faxdoc {

enum class PageCoding : std::uint8_t {
    Mh,   // T.4 one-dimensional
    Mr,   // T.4 two-dimensional
    Mmr,  // T.6; only with error correction, which keeps its lines intact
};

}  // namespace vl::faxdoc
