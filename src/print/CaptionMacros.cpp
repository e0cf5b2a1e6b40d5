#include "print/CaptionMacros.h"

#include <cctype>

namespace vl::print {

namespace {

std::string MacroValue(char letter, const CaptionValues& values) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'D': return values.date;
        case 'F': return values.fileName;
        case 'N': return std::to_string(values.pageCount);
        case 'P': return std::to_string(values.page);
        case 'T': return values.time;
        default: return {};
    }
}

}  // namespace

std::string ExpandCaptionMacros(std::string_view caption, const CaptionValues& values) {
    std::string text;
    std::size_t i = 0;
    while (i < caption.size()) {
        if (caption[i] != '$') {
            text += caption[i++];
            continue;
        }
        std::size_t end = caption.find(' ', i);
        if (end == std::string_view::npos) end = caption.size();
        if (end > i + 1) text += MacroValue(caption[i + 1], values);
        i = end;
    }
    return text;
}

}  // namespace vl::print
