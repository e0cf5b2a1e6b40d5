#include "app/CsvReader.h"

namespace vl::app {

CsvReader::CsvReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {}

bool CsvReader::AtLineEnd() const { return text_[at_] == '\n' || text_[at_] == '\r'; }

void CsvReader::SkipLineEnd() {
    if (text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ++at_;
    ++at_;
    ++line_;
}

bool CsvReader::Next(CsvRecord& record) {
    if (at_ >= text_.size()) return false;
    record = CsvRecord{line_, {std::string()}, false};
    bool quoted = false;
    // Only a quote that opens a field starts quoting; elsewhere it is text.
    bool fieldStart = true;
    while (at_ < text_.size()) {
        const char c = text_[at_];
        std::string& field = record.fields.back();
        if (quoted) {
            if (c == '"' && at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                field += '"';
                at_ += 2;
            } else if (c == '"') {
                quoted = false;
                ++at_;
            } else if (AtLineEnd()) {
                field += '\n';
                SkipLineEnd();
            } else {
                field += c;
                ++at_;
            }
            continue;
        }
        if (AtLineEnd()) {
            SkipLineEnd();
            return true;
        }
        ++at_;
        if (c == delimiter_) {
            record.fields.emplace_back();
            fieldStart = true;
            continue;
        }
        if (c == '"' && fieldStart) quoted = true;
        else field += c;
        fieldStart = false;
    }
    record.unclosed = quoted;
    return true;
}

std::string CsvField(std::string_view value, char delimiter) {
    const bool quote = value.find_first_of(std::string{'"', '\r', '\n', delimiter}) != std::string_view::npos ||
                       value.starts_with(' ') || value.ends_with(' ');
    if (!quote) return std::string(value);
    std::string out = "\"";
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace vl::app
