#include "cover/DesignHistory.h"

#include <utility>

namespace vl::cover {

namespace {

bool Step(std::deque<CoverObjects>& from, std::deque<CoverObjects>& to, CoverObjects& objects) {
    if (from.empty()) return false;
    to.push_back(std::move(objects));
    objects = std::move(from.back());
    from.pop_back();
    return true;
}

}  // namespace

void DesignHistory::Push(CoverObjects before) {
    undo_.push_back(std::move(before));
    if (undo_.size() > kMaxSteps) undo_.pop_front();
    redo_.clear();
}

bool DesignHistory::Undo(CoverObjects& objects) { return Step(undo_, redo_, objects); }

bool DesignHistory::Redo(CoverObjects& objects) { return Step(redo_, undo_, objects); }

void DesignHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

}  // namespace vl::cover
