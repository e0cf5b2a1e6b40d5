#include "faxdoc/TextSource.h"

#include <filesystem>

#include "base/ErrorCodes.h"
#include "faxdoc/IoErrors.h"
#include "faxdoc/TextCharacters.h"

namespace vl::faxdoc {
namespace {

constexpr char32_t kFormFeed = 0x0C;
// Wider pages than any fax machine takes are a caller's mistake.
constexpr int kMaxWidth = 32768;

}  // namespace

int TextSource::CheckLayout() const {
    const bool widthOk = layout_.width > 0 && layout_.width <= kMaxWidth && layout_.width % 8 == 0;
    const bool marginOk = layout_.leftMargin >= 0 && layout_.leftMargin < layout_.width;
    return widthOk && marginOk ? base::ecOK : base::ecBadArgument;
}

int TextSource::Open(const std::string& fileName) {
    Close();
    if (int rc = CheckLayout(); rc != base::ecOK) return rc;
    if (int rc = Ready(); rc != base::ecOK) return rc;
    std::string name = fileName;
    if (!std::filesystem::path(name).has_extension()) name += ".TXT";
    if (int rc = reader_.Open(name); rc != base::ecOK) return rc;
    open_ = true;
    return base::ecOK;
}

void TextSource::Close() {
    reader_.Close();
    open_ = finished_ = lineWaiting_ = breakPending_ = hasRest_ = false;
    rest_.clear();
    glyphRow_ = textLine_ = rowsOnPage_ = 0;
}

std::u32string TextSource::Prepare(std::u32string text, std::u32string* rest) const {
    if (const auto feed = text.find(kFormFeed); feed != std::u32string::npos) {
        if (rest != nullptr) rest->assign(text, feed + 1);
        text.resize(feed);
    }
    return ExpandTabs(text, layout_.tabStop, MaxCharacters());
}

int TextSource::FetchLine() {
    std::u32string text;
    if (hasRest_) {
        text = std::move(rest_);
        hasRest_ = false;
    } else {
        std::string bytes;
        bool gotLine = false;
        if (int rc = reader_.ReadLine(bytes, gotLine); rc != base::ecOK) return rc;
        text = DecodeTextLine(bytes);
    }
    rest_.clear();
    breakPending_ = text.find(kFormFeed) != std::u32string::npos;
    SetLine(LineSlot::File, Prepare(std::move(text), &rest_));
    hasRest_ = !rest_.empty();
    lineWaiting_ = true;
    ++textLine_;
    return base::ecOK;
}

int TextSource::EndPage(bool& endOfPage, bool& morePages) {
    endOfPage = true;
    morePages = lineWaiting_ || hasRest_ || !reader_.AtEnd();
    finished_ = !morePages;
    rowsOnPage_ = 0;
    textLine_ = lineWaiting_ ? 1 : 0;
    return base::ecOK;
}

int TextSource::ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) {
    line.clear();
    endOfPage = morePages = false;
    if (!open_) return ecInvalidFileHandle;
    if (glyphRow_ == 0) {
        if (finished_) {
            endOfPage = true;
            return base::ecOK;
        }
        if (!lineWaiting_) {
            if (breakPending_) {
                breakPending_ = false;
                return EndPage(endOfPage, morePages);
            }
            if (!hasRest_ && reader_.AtEnd()) {
                if (rowsOnPage_ > 0) return EndPage(endOfPage, morePages);
                line.assign(static_cast<std::size_t>(layout_.width / 8), 0);
                ++rowsOnPage_;
                return base::ecOK;
            }
            if (int rc = FetchLine(); rc != base::ecOK) return rc;
            if (layout_.linesPerPage > 0 && textLine_ > layout_.linesPerPage) return EndPage(endOfPage, morePages);
        }
        lineWaiting_ = false;
        glyphRow_ = 1;
    }
    DeliverRow(LineSlot::File, glyphRow_ - 1, line);
    ++rowsOnPage_;
    if (++glyphRow_ > RowsPerTextLine()) glyphRow_ = 0;
    return base::ecOK;
}

int TextSource::TextRow(std::string_view text, int row, std::vector<std::uint8_t>& raster) {
    raster.clear();
    if (int rc = CheckLayout(); rc != base::ecOK) return rc;
    if (int rc = Ready(); rc != base::ecOK) return rc;
    if (row < 1 || row > RowsPerTextLine()) return base::ecBadArgument;
    if (!directSet_ || directText_ != text) {
        SetLine(LineSlot::Direct, Prepare(DecodeTextLine(text), nullptr));
        directText_ = text;
        directSet_ = true;
    }
    DeliverRow(LineSlot::Direct, row - 1, raster);
    return base::ecOK;
}

}  // namespace vl::faxdoc

