#include "base/MessageTable.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "base/StringResources.h"
#include "base/Utf16Text.h"

namespace vl::base {

namespace {

constexpr int kFirstProgressCode = 4801;
constexpr int kLastProgressCode = 4843;
constexpr std::size_t kProgressBufferSize = 80;

// glibc answers "Unknown error N" for numbers it has no text for; that is no text.
std::string SystemText(unsigned number) {
    if (number > static_cast<unsigned>(INT32_MAX)) return {};
    char buffer[256];
    const char* text = strerror_r(static_cast<int>(number), buffer, sizeof buffer);
    std::string result = text ? text : "";
    if (std::string_view(result).starts_with("Unknown error")) return {};
    for (char& c : result) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return result;
}

}  // namespace

const StringTable& MessageTable() {
    static const StringTable table(ErrorStringsResource());
    return table;
}

std::string ErrorText(int code, std::size_t bufferSize) {
    // Widen before negating: the magnitude of INT_MIN does not fit an int.
    const auto number = static_cast<unsigned>(std::llabs(static_cast<long long>(code)));
    if (auto text = MessageTable().Find(number, bufferSize)) return *std::move(text);
    return FitToBuffer(SystemText(number), bufferSize);
}

std::string ProgressText(int code) {
    if (code < kFirstProgressCode || code > kLastProgressCode) return {};
    return MessageTable().Find(static_cast<unsigned>(code), kProgressBufferSize).value_or(std::string());
}

}  // namespace vl::base
