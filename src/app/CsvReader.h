// Records of comma-separated text as spreadsheets and address books write
// it: fields in double quotes may hold the delimiter, doubled quotes and
// line breaks; lines end in LF, CR LF or CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vl::app {

struct CsvRecord {
    int line = 0;                     // where the record starts, from 1
    std::vector<std::string> fields;  // a blank line gives one empty field
    bool unclosed = false;            // the text ended inside a quoted field
};

class CsvReader {
public:
    // The text is UTF-8 and must outlive the reader.
    CsvReader(std::string_view text, char delimiter);

    // The next record; false at the end of the text. A line break inside a
    // quoted field reads as LF whatever the file used. Text after a closing
    // quote is kept as it stands, as lenient readers do.
    bool Next(CsvRecord& record);

private:
    bool AtLineEnd() const;
    void SkipLineEnd();

    std::string_view text_;
    char delimiter_;
    size_t at_ = 0;
    int line_ = 1;
};

// The field as a CSV writer puts it: in double quotes, inner quotes doubled,
// when it holds the delimiter, a quote, a line break, or a blank at either end.
std::string CsvField(std::string_view value, char delimiter);

}  // namespace vl::app
