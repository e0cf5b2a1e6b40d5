#include "Class2PageData.h"

#include <string_view>

namespace vl::linesim {

std::uint8_t ReverseBits(std::uint8_t b) {
    b = static_cast<std::uint8_t>((b & 0xF0) >> 4 | (b & 0x0F) << 4);
    b = static_cast<std::uint8_t>((b & 0xCC) >> 2 | (b & 0x33) << 2);
    return static_cast<std::uint8_t>((b & 0xAA) >> 1 | (b & 0x55) << 1);
}

void ReverseBits(std::string& bytes) {
    for (char& c : bytes) c = static_cast<char>(ReverseBits(static_cast<std::uint8_t>(c)));
}

std::size_t PageDataReader::Take(std::string_view in, std::string& out) {
    std::size_t i = 0;
    while (i < in.size() && !ended_) {
        const char c = in[i++];
        if (!dle_) {
            if (c == kDle) {
                dle_ = true;
            } else {
                out += c;
            }
            continue;
        }
        dle_ = false;
        if (c == kDle) out += kDle;
        if (c == kEtx) ended_ = true;
        if (!postPageEnds_) continue;
        const std::size_t code = std::string_view(",;.").find(c);
        if (code != std::string_view::npos) {
            ended_ = true;
            postPage_ = static_cast<int>(code);
        }
    }
    return i;
}

std::string ShieldDle(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 64);
    for (char c : bytes) {
        out += c;
        if (c == kDle) out += kDle;
    }
    return out;
}

}  // namespace vl::linesim
