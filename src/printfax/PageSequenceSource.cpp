#include "printfax/PageSequenceSource.h"

#include "base/ErrorCodes.h"
#include "base/IoErrors.h"

namespace vl::printfax {

int PageSequenceSource::Open(const std::string&) {
    Close();
    if (pageCount_ < 1) {
        failure_ = "the document has no pages";
        return base::ecBadGraphicsFormat;
    }
    index_ = 0;
    open_ = true;
    return MakeCurrent();
}

int PageSequenceSource::MakeCurrent() {
    row_ = 0;
    pageDue_ = false;
    failure_ = make_(index_, page_);
    return failure_.empty() ? base::ecOK : base::ecBadGraphicsFormat;
}

int PageSequenceSource::ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) {
    if (!open_) return base::ecInvalidFileHandle;
    if (pageDue_) {
        if (int rc = MakeCurrent(); rc != base::ecOK) return rc;
    }
    morePages = index_ + 1 < pageCount_;
    endOfPage = row_ == page_.Height();
    if (!endOfPage) {
        const auto row = page_.Row(row_++);
        line.assign(row.begin(), row.end());
        return base::ecOK;
    }
    line.clear();
    if (morePages) {
        ++index_;
        pageDue_ = true;
    }
    return base::ecOK;
}

void PageSequenceSource::Close() {
    open_ = false;
    page_ = {};
}

}  // namespace vl::printfax
