// The commands of the page's menu on a list of objects, and on all objects.
#include <algorithm>
#include <climits>

#include "cover/DesignPage.h"
#include "cover/FaxCoverBaseLabel.h"

namespace vl::cover {

namespace {

void MoveTo(GraphicControl& object, int left, int top) { object.SetBounds(left, top, object.Width(), object.Height()); }

}  // namespace

void DesignPage::BringToFront(const std::vector<GraphicControl*>& targets) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    Edit([this, &list] {
        for (GraphicControl* object : list) {
            const auto at = objects_.begin() + static_cast<std::ptrdiff_t>(IndexOf(object));
            std::rotate(at, at + 1, objects_.end());
        }
    });
}

void DesignPage::SendToBack(const std::vector<GraphicControl*>& targets) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    selection_.clear();
    Edit([this, &list] {
        for (GraphicControl* object : list) {
            const auto at = objects_.begin() + static_cast<std::ptrdiff_t>(IndexOf(object));
            std::rotate(objects_.begin(), at, at + 1);
        }
    });
}

void DesignPage::Align(const std::vector<GraphicControl*>& targets, AlignEdge edge) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    const bool horizontal = edge == AlignEdge::Left || edge == AlignEdge::Right;
    int smallest = INT_MAX, largest = INT_MIN;
    for (const GraphicControl* object : list) {
        smallest = std::min(smallest, horizontal ? object->Left() : object->Top());
        largest = std::max(largest, horizontal ? object->Left() + object->Width() : object->Top() + object->Height());
    }
    Edit([&list, edge, smallest, largest] {
        for (GraphicControl* object : list) {
            switch (edge) {
                case AlignEdge::Left: MoveTo(*object, smallest, object->Top()); break;
                case AlignEdge::Right: MoveTo(*object, largest - object->Width(), object->Top()); break;
                case AlignEdge::Tops: MoveTo(*object, object->Left(), smallest); break;
                case AlignEdge::Bottoms: MoveTo(*object, object->Left(), largest - object->Height()); break;
            }
        }
    });
}

void DesignPage::CenterVertically(const std::vector<GraphicControl*>& targets) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    Edit([this, &list] {
        for (GraphicControl* object : list) MoveTo(*object, object->Left(), height_ / 2 - object->Height() / 2);
    });
}

void DesignPage::CenterHorizontally(const std::vector<GraphicControl*>& targets) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    Edit([this, &list] {
        for (GraphicControl* object : list) MoveTo(*object, width_ / 2 - object->Width() / 2, object->Top());
    });
}

void DesignPage::Delete(const std::vector<GraphicControl*>& targets) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    for (const GraphicControl* object : list) Deselect(object);
    Edit([this, &list] {
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            objects_.erase(objects_.begin() + static_cast<std::ptrdiff_t>(IndexOf(*it)));
    });
}

void DesignPage::SetFont(const std::vector<GraphicControl*>& targets, const CoverFont& font) {
    const std::vector<GraphicControl*> list = OnPage(targets);
    Edit([&list, &font] {
        for (GraphicControl* object : list) {
            FaxCoverBaseLabel* text = AsText(object);
            if (text != nullptr && text->Kind() != RecordKind::Symbol) text->PickFont(font);
        }
    });
}

void DesignPage::SetAllLocked(bool locked) {
    Edit([this, locked] {
        for (const auto& object : objects_) object->locked = locked;
    });
}

void DesignPage::SetAllUnselectable(bool unselectable) {
    if (unselectable) selection_.clear();
    Edit([this, unselectable] {
        for (const auto& object : objects_) object->unselectable = unselectable;
    });
}

}  // namespace vl::cover
