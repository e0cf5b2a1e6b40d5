#include "ui/ViewerPages.h"

#include "gfx/BitmapRotation.h"

namespace vl::ui {

int ViewerPages::Open(const std::string& fileName) {
    Close();
    unpacker_.SetInFileName(fileName);
    count_ = unpacker_.CountPages();
    return count_;
}

void ViewerPages::Close() {
    held_.clear();
    count_ = 0;
    unpacker_.SetInFileName("");
}

gfx::MonoBitmap ViewerPages::Page(int page) {
    if (keepAll_) {
        for (int other = 1; other <= count_; ++other) Hold(other);
    } else {
        std::erase_if(held_, [page](const auto& entry) { return entry.first != page; });
    }
    return gfx::RotateClockwise(Hold(page), rotation_);
}

const gfx::MonoBitmap& ViewerPages::Hold(int page) {
    auto found = held_.find(page);
    if (found != held_.end()) return found->second;
    gfx::MonoBitmap bitmap = unpacker_.DecodePageToBitmap(static_cast<unsigned>(page));
    return held_.emplace(page, std::move(bitmap)).first->second;
}

std::size_t ViewerPages::HeldBytes() const
{
    std::size_t bytes = 0;
    for (const auto& [page, bitmap] : held_)
        bytes += bitmap.Bits().size();
    return bytes;
}

}  // namespace vl::ui
