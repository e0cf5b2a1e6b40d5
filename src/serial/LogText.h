// Text pieces shared by the trace and the dispatch log reports: bytes shown
// as characters or bracketed codes, lines wrapped at a fixed width, and the
// report file written in one go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vl::serial {

// Report lines are wrapped so that none is longer than this.
inline constexpr std::size_t kReportWidth = 78;

// One byte as the reports show it: printable bytes (32..126, from 33 with
// `hex`, so that a blank shows as "[20]") as themselves, others as "[13]" or,
// with `hex`, "[0D]"; with `allHex` every byte as "[hh]".
std::string ByteToken(std::uint8_t byte, bool hex, bool allHex);

// Collects text in lines no longer than kReportWidth: a piece that would pass
// the width starts a new line indented by `indent` blanks.
class WrappedText {
public:
    explicit WrappedText(std::string& out, std::size_t indent = 0) : out_(out), indent_(indent) {}
    // Starts a line with `text` (not wrapped: the line's own heading).
    void BeginLine(std::string_view text);
    // Adds a piece that is never split across lines.
    void Put(std::string_view piece);
    // Ends the current line.
    void EndLine();

private:
    std::string& out_;
    std::size_t indent_;
    std::size_t column_ = 0;
    bool lineEmpty_ = true;  // nothing added since the heading or the indent
};

// Writes `text` to `file`: appended when `append` (creating the file when it is
// missing), else replacing the file so that a failure leaves the old one whole.
// A failed append leaves the file as it was. Answers 0 or a negative I/O code.
int WriteReportFile(const std::string& file, bool append, std::string_view text);

}  // namespace vl::serial
