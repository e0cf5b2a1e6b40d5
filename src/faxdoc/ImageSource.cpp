#include "faxdoc/ImageSource.h"

#include <algorithm>
#include <filesystem>

#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "faxdoc/IoErrors.h"

namespace vl::faxdoc {
namespace {

// Larger files are not images this program could fit on a fax page.
constexpr long kMaxFileSize = 256L * 1024 * 1024;

}  // namespace

int ImageSource::Open(const std::string& fileName) {
    Close();
    if (fit_.pageWidth <= 0 || fit_.pageWidth % 8 != 0) return base::ecBadArgument;
    int rc = LoadInput(fileName, file_);
    if (rc == base::ecOK) rc = SplitPages(file_, pages_);
    if (rc == base::ecOK) rc = StartPage();
    if (rc != base::ecOK) Close();
    return rc;
}

int ImageSource::LoadInput(const std::string& fileName, std::vector<std::uint8_t>& file) {
    std::string name = fileName;
    if (!std::filesystem::path(name).has_extension()) name += std::string(".") + DefaultExtension();
    return base::ReadFileBytes(name, file, kMaxFileSize, base::ecBadGraphicsFormat);
}

int ImageSource::SplitPages(std::span<const std::uint8_t> file, std::vector<std::span<const std::uint8_t>>& pages) {
    pages.assign(1, file);
    return base::ecOK;
}

int ImageSource::StartPage() {
    rows_.reset();
    rowsRead_ = 0;
    if (int rc = OpenPage(pages_[page_], rows_); rc != base::ecOK) return rc;
    rows_->SetYield(&yield_);
    placement_ = FitImage(fit_, rows_->Width(), Rule());
    row_.assign(static_cast<std::size_t>(rows_->BytesPerRow()), 0);
    pageStarted_ = true;
    return base::ecOK;
}

int ImageSource::ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) {
    line.clear();
    endOfPage = false;
    morePages = false;
    if (pages_.empty()) return ecInvalidFileHandle;
    if (!pageStarted_) {
        ++page_;
        if (int rc = StartPage(); rc != base::ecOK) return rc;
    }
    if (rowsRead_ == rows_->Height()) {
        endOfPage = true;
        morePages = page_ + 1 < pages_.size();
        pageStarted_ = !morePages;  // a finished last page keeps answering end of page
        return base::ecOK;
    }
    if (int rc = rows_->NextRow(row_); rc != base::ecOK) return rc;
    ++rowsRead_;
    line.assign(static_cast<std::size_t>(fit_.pageWidth / 8), 0);
    const std::size_t offset = std::min<std::size_t>(static_cast<std::size_t>(placement_.offsetBytes), line.size());
    const std::size_t count = std::min(row_.size(), line.size() - offset);
    std::copy_n(row_.begin(), count, line.begin() + static_cast<std::ptrdiff_t>(offset));
    return base::ecOK;
}

std::uint64_t ImageSource::BytesRead() const {
    if (pages_.empty() || !rows_) return 0;
    // Pages before this one, then this page in proportion to its rows read.
    const auto pageStart = static_cast<std::uint64_t>(pages_[page_].data() - file_.data());
    const std::uint64_t pageSize = pages_[page_].size();
    if (rows_->Height() == 0) return pageStart;
    return pageStart + pageSize * static_cast<std::uint64_t>(rowsRead_) / static_cast<std::uint64_t>(rows_->Height());
}

void ImageSource::Close() {
    rows_.reset();
    pages_.clear();
    file_.clear();
    page_ = 0;
    pageStarted_ = false;
    rowsRead_ = 0;
    placement_ = {};
}

}  // namespace vl::faxdoc
