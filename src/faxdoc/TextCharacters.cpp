#include "faxdoc/TextCharacters.h"

#include <algorithm>
#include <optional>

namespace vl::faxdoc {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool Surrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Strict UTF-8: no overlong forms, surrogates or values above U+10FFFF.
std::optional<std::u32string> DecodeUtf8(std::string_view bytes) {
    std::u32string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t c = lead;
        char32_t least = 0;
        if (lead < 0x80) {
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1, c = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, c = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, c = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (bytes.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < least || c > 0x10FFFF || Surrogate(c)) return std::nullopt;
        out.push_back(c);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

}  // namespace

std::u32string DecodeTextLine(std::string_view bytes) {
    if (auto decoded = DecodeUtf8(bytes)) return std::move(*decoded);
    std::u32string latin1(bytes.size(), U'\0');
    std::transform(bytes.begin(), bytes.end(), latin1.begin(),
                   [](char b) { return static_cast<char32_t>(static_cast<unsigned char>(b)); });
    return latin1;
}

std::u32string ExpandTabs(std::u32string_view text, int tabStop, std::size_t maxCharacters) {
    const auto stop = static_cast<std::size_t>(std::max(tabStop, 1));
    std::u32string out;
    for (char32_t c : text) {
        if (out.size() >= maxCharacters) break;
        if (c == U'\t') {
            out.append(std::min(stop - out.size() % stop, maxCharacters - out.size()), U' ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string ToLatin1(std::u32string_view text) {
    std::string out(text.size(), '\0');
    std::transform(text.begin(), text.end(), out.begin(),
                   [](char32_t c) { return c > 0xFF ? '?' : static_cast<char>(static_cast<unsigned char>(c)); });
    return out;
}

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c > 0x10FFFF || Surrogate(c)) c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        // Continuation bytes from the last to the first, then the lead byte.
        const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        char tail[3];
        for (int k = extra - 1; k >= 0; --k, c >>= 6) tail[k] = static_cast<char>(0x80 | (c & 0x3F));
        static constexpr unsigned char kLeadMarks[] = {0, 0xC0, 0xE0, 0xF0};
        out.push_back(static_cast<char>(kLeadMarks[extra] | c));
        out.append(tail, static_cast<std::size_t>(extra));
    }
    return out;
}

}  // namespace vl::faxdoc
