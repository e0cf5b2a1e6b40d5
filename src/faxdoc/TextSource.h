// Line sources that turn a text file into raster lines, text line by text
// line, page by page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "faxdoc/LineSource.h"
#include "faxdoc/TextLineReader.h"

namespace vl::faxdoc {

struct TextPageLayout {
    int width = 1728;          // 1728 or 2048
    int leftMargin = 50;       // pixels the encoder adds; also reduces characters per line
    bool highResolution = false;
    int tabStop = 4;
    int linesPerPage = 60;     // 0 = no limit
};

// Shared by the text sources: fetching lines, form feeds, tabs and page
// breaks; the subclass draws the rows of one text line.
//
// Pages: a page ends after linesPerPage text lines and after a line that held
// a form feed; the text after a form feed starts the next page. No page is
// empty: an empty file gives one page of one white line (width / 8 bytes),
// and a file that ends at a page break gives no further page.
//
// Text: valid UTF-8 is read as UTF-8, other lines as Latin-1.
//
// Errors: ecBadArgument for a layout whose width is not a positive multiple
// of 8 or whose margin is outside 0 .. width - 1; the I/O code when the file
// cannot be opened or read; ecInvalidFileHandle when reading while closed.
class TextSource : public LineSource {
public:
    int Open(const std::string& fileName) override;  // adds ".TXT" to a name with no extension
    int ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) override;
    void Close() override;
    std::uint64_t BytesRead() const override { return reader_.BytesRead(); }
    std::uint64_t BytesTotal() const override { return reader_.BytesTotal(); }

    // Raster rows of one text line.
    virtual int RowsPerTextLine() const = 0;

    // Row `row` (from 1) of one line of text given directly, for the fax header
    // line of sent pages: tabs are expanded and the line cut as a line from a
    // file (a form feed and what follows are dropped). `raster` is resized to
    // the line length. Answers 0, ecBadArgument for a row outside
    // 1 .. RowsPerTextLine(), or an error of the font. Does not disturb the
    // reading of a file.
    int TextRow(std::string_view text, int row, std::vector<std::uint8_t>& raster);

protected:
    explicit TextSource(const TextPageLayout& layout) : layout_(layout) {}

    // Text lines are kept apart: the one read from the file, and the one given
    // to TextRow.
    enum class LineSlot { File = 0, Direct = 1 };

    const TextPageLayout& Layout() const { return layout_; }

    // Readies the font before the first line; 0 or an error.
    virtual int Ready() { return 0; }
    // Characters beyond this many cannot reach the page.
    virtual std::size_t MaxCharacters() const = 0;
    // Takes the text (tabs already expanded) of the next line of a slot.
    virtual void SetLine(LineSlot slot, std::u32string_view text) = 0;
    // Raster row `row` (from 0) of the slot's line; `raster` gets the line.
    virtual void DeliverRow(LineSlot slot, int row, std::vector<std::uint8_t>& raster) const = 0;

    // 0, or ecBadArgument for a width that is not a positive multiple of 8 (up
    // to 32768) or a margin outside 0 .. width - 1.
    int CheckLayout() const;

private:
    // Tabs expanded, cut at the first form feed; the text after it in `rest`.
    std::u32string Prepare(std::u32string text, std::u32string* rest) const;
    int FetchLine();
    int EndPage(bool& endOfPage, bool& morePages);

    TextPageLayout layout_;
    TextLineReader reader_;
    bool open_ = false;
    bool finished_ = false;      // the last page has ended
    bool lineWaiting_ = false;   // a fetched line starts the next page
    bool breakPending_ = false;  // the current line held a form feed
    bool hasRest_ = false;
    std::u32string rest_;        // text after that form feed
    int glyphRow_ = 0;           // from 1; 0 = a new text line is due
    int textLine_ = 0;           // text lines on the page
    int rowsOnPage_ = 0;
    std::string directText_;     // the text last given to TextRow
    bool directSet_ = false;
};

}  // namespace vl::faxdoc
