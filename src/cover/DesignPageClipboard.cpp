// The designer's private clipboard file, and cloning one object.
#include <algorithm>
#include <string_view>
#include <system_error>

#include "base/AtomicFile.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/IoErrors.h"
#include "cover/DesignFile.h"
#include "cover/DesignPage.h"

namespace vl::cover {

namespace {

// Far more than any page the designer can hold.
constexpr long kMaxClipboardBytes = 16L * 1024 * 1024;

void Shift(GraphicControl& object, int dx, int dy) {
    object.SetBounds(object.Left() + dx, object.Top() + dy, object.Width(), object.Height());
}

}  // namespace

// The objects go in the page's z-order, not the order they were selected in,
// so that pasted objects stack as the copied ones did. The file holds zoom-1
// pixels like every design file, so a paste after a zoom change keeps the
// objects' real size.
int DesignPage::Copy(const std::vector<GraphicControl*>& targets, const std::string& clipboardFile) const {
    std::vector<GraphicControl*> list = OnPage(targets);
    if (list.empty()) return base::ecOK;
    std::sort(list.begin(), list.end(), [this](auto* a, auto* b) { return IndexOf(a) < IndexOf(b); });
    CoverObjects copies;
    for (const GraphicControl* object : list) {
        copies.push_back(CloneCoverObject(*object));
        copies.back()->SetZoom(1.0F);
    }
    const std::vector<std::uint8_t> bytes = WriteDesignFile(copies);
    try {
        base::ReplaceFileAtomically(clipboardFile,
                                    std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    } catch (const std::system_error& error) {
        return base::IoErrorCode(error.code().value(), base::IoOperation::Write);
    }
    return base::ecOK;
}

int DesignPage::Cut(const std::vector<GraphicControl*>& targets, const std::string& clipboardFile) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    if (const int rc = Copy(list, clipboardFile); rc != base::ecOK) return rc;
    Delete(list);
    return base::ecOK;
}

// The wait counts from the last paste that was carried out, so a key held
// down pastes once a second. A damaged file adds the objects before the
// damage, as opening a design file does.
int DesignPage::Paste(const std::string& clipboardFile, std::int64_t nowMs) {
    if (pasted_ && nowMs - lastPasteMs_ < kPasteRepeatMs) return base::ecOK;
    std::vector<std::uint8_t> bytes;
    if (const int rc = base::ReadFileBytes(clipboardFile, bytes, kMaxClipboardBytes, base::ecFaxBadFormat);
        rc != base::ecOK)
        return rc;
    pasted_ = true;
    lastPasteMs_ = nowMs;
    int rc = base::ecOK;
    Edit([this, &bytes, &rc] {
        const std::size_t first = objects_.size();
        rc = ReadDesignFile(bytes, objects_);
        TakeZoom(first, true);
        for (std::size_t i = first; i < objects_.size(); ++i) Shift(*objects_[i], kPasteOffset, kPasteOffset);
    });
    return rc;
}

// The copy is written and read in the page's own pixels, so it has exactly
// the source's size.
GraphicControl* DesignPage::Clone(GraphicControl* object) {
    if (!Holds(object)) return nullptr;
    CoverObjects source;
    source.push_back(CloneCoverObject(*object));
    const std::vector<std::uint8_t> bytes = WriteDesignFile(source);
    GraphicControl* copy = nullptr;
    Edit([this, &bytes, &copy] {
        const std::size_t first = objects_.size();
        if (ReadDesignFile(bytes, objects_) != base::ecOK || objects_.size() != first + 1) return;
        TakeZoom(first, false);
        copy = objects_.back().get();
        Shift(*copy, 0, kCloneOffset);
    });
    if (copy == nullptr) return nullptr;
    // An unselectable source gives an unselectable copy, which only leaves
    // the selection empty of both.
    const auto at = std::find(selection_.begin(), selection_.end(), object);
    if (copy->unselectable) Deselect(object);
    else if (at != selection_.end()) *at = copy;
    else selection_.push_back(copy);
    return copy;
}

}  // namespace vl::cover
