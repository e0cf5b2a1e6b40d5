#include "fax/EcmPageCollector.h"

#include <vector>

#include "fax/ControlBytes.h"

namespace vl::fax {

int EcmPageCollector::Take(std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> plain;
    plain.reserve(bytes.size());
    for (std::uint8_t byte : bytes) {
        if (afterDle_) {
            afterDle_ = false;
            if (byte == kDle)
                plain.push_back(kDle);
            // DLE ETX ends the page data, which the block's end says itself.
            continue;
        }
        if (byte == kDle)
            afterDle_ = true;
        else
            plain.push_back(byte);
    }
    page_.Append(plain);
    return 0;
}

}  // namespace vl::fax
