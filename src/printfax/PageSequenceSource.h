// Fax pages made one at a time and handed to the conversion loop line by
// line, so that a long document never sits in memory whole.
#pragma once

#include <functional>
#include <string>

#include "faxdoc/LineSource.h"
#include "gfx/MonoBitmap.h"

namespace vl::printfax {

class PageSequenceSource : public faxdoc::LineSource {
public:
    // Makes page `index` (from 0) on the fax width; empty when made, else
    // why it could not be.
    using MakePage = std::function<std::string(int index, gfx::MonoBitmap& page)>;

    PageSequenceSource(int pageCount, MakePage make) : pageCount_(pageCount), make_(std::move(make)) {}

    // Makes the first page: a document that fails there leaves no output
    // file begun. The name is not used.
    int Open(const std::string& fileName) override;
    int ReadLine(std::vector<std::uint8_t>& line, bool& endOfPage, bool& morePages) override;
    void Close() override;

    // Why the last page asked for could not be made (ecBadGraphicsFormat).
    const std::string& Failure() const { return failure_; }

private:
    int MakeCurrent();

    int pageCount_;
    MakePage make_;
    gfx::MonoBitmap page_;
    int index_ = 0;
    int row_ = 0;
    bool open_ = false;
    bool pageDue_ = false;  // the current index is still to be made
    std::string failure_;
};

}  // namespace vl::printfax
