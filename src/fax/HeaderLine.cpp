#include "fax/HeaderLine.h"

#include <cctype>

namespace vl::fax {

namespace {

std::string Formatted(const std::tm& when, const std::string& format) {
    if (format.empty()) return {};
    char text[128];
    std::size_t length = std::strftime(text, sizeof text, format.c_str(), &when);
    return std::string(text, length);
}

std::string ValueFor(char key, const HeaderValues& values) {
    switch (std::toupper(static_cast<unsigned char>(key))) {
        case 'D': return Formatted(values.when, values.dateFormat);
        case 'F': return values.sender;
        case 'I': return values.stationId;
        case 'N': return std::to_string(values.totalPages);
        case 'P': return std::to_string(values.pageNumber);
        case 'R': return values.recipient;
        case 'S': return values.title;
        case 'T': return Formatted(values.when, values.timeFormat);
        default: return {};
    }
}

}  // namespace

int HeaderPageNumber(int currentPage, int coverPages, bool sendingCover) {
    if (coverPages == 0) return currentPage;
    return sendingCover ? 1 : currentPage + 1;
}

std::string SubstituteHeader(std::string_view line, const HeaderValues& values) {
    std::string text(line);
    std::size_t from = 0;
    std::size_t tag;
    while ((tag = text.find('$', from)) != std::string::npos) {
        std::size_t end = text.find(' ', tag);
        if (end == std::string::npos) end = text.size();
        std::string value = end - tag >= 2 ? ValueFor(text[tag + 1], values) : std::string();
        text.replace(tag, end - tag, value);
        if (text.size() > kHeaderLineMax) text.resize(kHeaderLineMax);
        from = tag + value.size();
    }
    return text;
}

}  // namespace vl::fax
