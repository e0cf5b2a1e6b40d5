#include "app/ImportedText.h"

#include <vector>

#include "base/Cp1252.h"
#include "base/Utf16Text.h"

namespace vl::app {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::vector<unsigned char> little(bytes.begin(), bytes.end());
    if (bigEndian)
        for (size_t i = 0; i + 1 < little.size(); i += 2) std::swap(little[i], little[i + 1]);
    return base::Utf16LeToUtf8(little);
}

}  // namespace

std::string ImportedText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) return base::Utf8OrCp1252(bytes.substr(kUtf8Mark.size()));
    if (bytes.starts_with(kUtf16LeMark)) return Utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), false);
    if (bytes.starts_with(kUtf16BeMark)) return Utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), true);
    return base::Utf8OrCp1252(bytes);
}

}  // namespace vl::app
