// The design page's undo and redo steps: each one is the page's objects as
// they were, in the zoom they had then.
#pragma once

#include <cstddef>
#include <deque>

#include "cover/CoverObjects.h"

namespace vl::cover {

class DesignHistory {
public:
    // Older steps are dropped: a long session must not keep every page it
    // ever had.
    static constexpr std::size_t kMaxSteps = 100;

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }

    // The objects before an edit; what could be redone is gone.
    void Push(CoverObjects before);
    // Swaps `objects` with the last step, which moves to the other list.
    // False when there is none.
    bool Undo(CoverObjects& objects);
    bool Redo(CoverObjects& objects);
    void Clear();

private:
    std::deque<CoverObjects> undo_;
    std::deque<CoverObjects> redo_;
};

}  // namespace vl::cover
