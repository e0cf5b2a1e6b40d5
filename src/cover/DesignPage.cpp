#include "cover/DesignPage.h"

#include <algorithm>
#include <string>

#include "base/ErrorCodes.h"
#include "cover/DesignFile.h"
#include "cover/FaxCoverBaseLabel.h"
#include "cover/TextFitting.h"

namespace vl::cover {

namespace {

constexpr int kLastSpecialNumber = 1000;
// A placing drag narrower or lower than this takes the placed size instead.
constexpr int kNarrowestDrag = 25;
constexpr int kPlacedWidth = 50;
constexpr int kLowestPlaced = 15;
// How near the right and bottom edges an object may begin and still count as
// on the page when saving.
constexpr int kOnPageMargin = 10;
constexpr int kMinZoomTenths = 4;
constexpr int kMaxZoomTenths = 16;

std::unique_ptr<GraphicControl> NewShape(ShapeType type) {
    auto shape = std::make_unique<FaxCoverShapes>();
    shape->shape = type;
    return shape;
}

std::unique_ptr<GraphicControl> NewObject(PanelState tool) {
    switch (tool) {
        case PanelState::Pointing: return nullptr;
        case PanelState::Label: {
            std::unique_ptr<GraphicControl> label = MakeCoverObject(RecordKind::Label);
            static_cast<FaxCoverBaseLabel&>(*label).caption = "<text>";
            return label;
        }
        case PanelState::SymbolLabel: return MakeCoverObject(RecordKind::Symbol);
        case PanelState::Rectangle: return NewShape(ShapeType::Rectangle);
        case PanelState::Ellipse: return NewShape(ShapeType::Ellipse);
        case PanelState::RoundRectangle: return NewShape(ShapeType::RoundRect);
        case PanelState::Line: {
            auto line = std::make_unique<FaxCoverLine>();
            line->lineStyle = LineStyle::Vertical;
            return line;
        }
        case PanelState::Message: return MakeCoverObject(RecordKind::Message);
        case PanelState::Importance: return MakeCoverObject(RecordKind::Importance);
        case PanelState::Field: return MakeCoverObject(RecordKind::Field);
    }
    return nullptr;
}

bool OffPage(const GraphicControl& object, int width, int height) {
    return object.Top() > height - kOnPageMargin || object.Left() > width - kOnPageMargin || object.Width() < 1 ||
           object.Height() < 1;
}

DesignRect BoundsOf(const GraphicControl& object) {
    return {object.Left(), object.Top(), object.Width(), object.Height()};
}

}  // namespace

DesignPage::DesignPage() = default;
DesignPage::~DesignPage() = default;

// --- Loading and saving ----------------------------------------------------

void DesignPage::Clear() {
    selection_.clear();
    objects_.clear();
    history_.Clear();
    Changed();
}

int DesignPage::Load(std::span<const std::uint8_t> designFile) {
    selection_.clear();
    objects_.clear();
    history_.Clear();
    const int rc = ReadDesignFile(designFile, objects_);
    TakeZoom(0, true);
    Changed();
    return rc;
}

// The template is written from copies at zoom 1, so that the page's objects
// are not scaled there and back, which could move them by a pixel.
int DesignPage::Save(const TemplateFiles& files, std::string_view description, int screenDpi, const std::tm& when) {
    ClearSelection();
    Edit([this] { std::erase_if(objects_, [this](const auto& o) { return OffPage(*o, width_, height_); }); });
    CoverObjects actualSize = CloneCoverObjects(objects_);
    for (auto& object : actualSize) object->SetZoom(1.0F);
    return SaveTemplate(actualSize, files, description, screenDpi, when);
}

// --- Selection ---------------------------------------------------------------

bool DesignPage::IsSelected(const GraphicControl* object) const {
    return std::find(selection_.begin(), selection_.end(), object) != selection_.end();
}

DesignRect DesignPage::FrameBounds() const {
    if (selection_.empty()) return {};
    const DesignRect first = BoundsOf(*selection_.front());
    int left = first.left, top = first.top, right = first.Right(), bottom = first.Bottom();
    for (const GraphicControl* object : selection_) {
        const DesignRect bounds = BoundsOf(*object);
        left = std::min(left, bounds.left);
        top = std::min(top, bounds.top);
        right = std::max(right, bounds.Right());
        bottom = std::max(bottom, bounds.Bottom());
    }
    return {left, top, right - left, bottom - top};
}

GraphicControl* DesignPage::ObjectAt(int x, int y) const {
    for (auto it = objects_.rbegin(); it != objects_.rend(); ++it) {
        if (BoundsOf(**it).Contains(x, y)) return it->get();
    }
    return nullptr;
}

void DesignPage::Click(GraphicControl* object, bool shift) {
    if (!Holds(object)) return;
    if (shift && IsSelected(object)) return Deselect(object);
    if (object->unselectable) return;
    if (!shift) selection_.clear();
    selection_.push_back(object);
}

void DesignPage::SelectBand(const DesignRect& band, bool shift) {
    if (!shift) selection_.clear();
    for (const auto& object : objects_) {
        if (object->unselectable || !BoundsOf(*object).Intersects(band)) continue;
        if (shift && IsSelected(object.get())) Deselect(object.get());
        else selection_.push_back(object.get());
    }
}

void DesignPage::SelectAll() {
    selection_.clear();
    for (const auto& object : objects_) {
        if (!object->unselectable) selection_.push_back(object.get());
    }
}

void DesignPage::ClearSelection() { selection_.clear(); }

// --- Placing and moving ------------------------------------------------------

GraphicControl* DesignPage::Place(PanelState tool, const DesignRect& dragged, const CoverFont& defaultFont) {
    std::unique_ptr<GraphicControl> object = NewObject(tool);
    if (!object) return nullptr;
    DesignRect bounds = NormalizedRect(dragged.left, dragged.top, dragged.Right(), dragged.Bottom());
    if (bounds.width < kNarrowestDrag) bounds.width = kPlacedWidth;
    bounds.height = std::max(bounds.height, kLowestPlaced);
    object->name = FreeObjectName(objects_, "Special", 1, kLastSpecialNumber);
    // The dragged rectangle is in the page's pixels already.
    object->AdoptZoom(Zoom());
    object->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
    if (tool == PanelState::Label || tool == PanelState::Message || tool == PanelState::Importance ||
        tool == PanelState::Field)
        static_cast<FaxCoverBaseLabel&>(*object).PickFont(defaultFont);
    if (tool == PanelState::SymbolLabel || tool == PanelState::Importance || tool == PanelState::Field)
        FitText(static_cast<FaxCoverBaseLabel&>(*object));
    GraphicControl* placed = object.get();
    Edit([this, &object] { objects_.push_back(std::move(object)); });
    return placed;
}

void DesignPage::ApplyFrame(const DesignRect& from, const DesignRect& to) {
    const int dx = to.left - from.left, dy = to.top - from.top;
    const int dw = to.width - from.width, dh = to.height - from.height;
    if (dx == 0 && dy == 0 && dw == 0 && dh == 0) return;
    Edit([&] {
        for (GraphicControl* object : selection_) {
            if (!object->locked)
                object->SetBounds(object->Left() + dx, object->Top() + dy, object->Width() + dw, object->Height() + dh);
        }
    });
}

// --- Zoom ------------------------------------------------------------------

float DesignPage::Zoom() const { return static_cast<float>(zoomTenths_) / 10.0F; }

bool DesignPage::ZoomIn() { return zoomTenths_ < kMaxZoomTenths && ZoomTo(zoomTenths_ + 1); }

bool DesignPage::ZoomOut() { return zoomTenths_ > kMinZoomTenths && ZoomTo(zoomTenths_ - 1); }

// The page's size is worked out from its zoom-1 size each time, so that steps
// up and down never drift.
bool DesignPage::ZoomTo(int tenths) {
    selection_.clear();
    zoomTenths_ = tenths;
    width_ = (kPageWidth * tenths + 5) / 10;
    height_ = (kPageHeight * tenths + 5) / 10;
    TakeZoom(0, true);
    return true;
}

std::string DesignPage::ZoomLabel() const { return std::to_string(zoomTenths_ * 10) + "%"; }

// --- Undo ------------------------------------------------------------------

bool DesignPage::CanUndo() const { return history_.CanUndo(); }
bool DesignPage::CanRedo() const { return history_.CanRedo(); }

bool DesignPage::Undo() {
    if (!history_.Undo(objects_)) return false;
    Replaced();
    return true;
}

bool DesignPage::Redo() {
    if (!history_.Redo(objects_)) return false;
    Replaced();
    return true;
}

// --- Private helpers -------------------------------------------------------

// What the design file would hold tells whether anything changed: every
// property, the names and the z-order.
void DesignPage::Edit(const std::function<void()>& change) {
    CoverObjects before = CloneCoverObjects(objects_);
    change();
    if (WriteDesignFile(objects_) == WriteDesignFile(before)) return;
    history_.Push(std::move(before));
    Changed();
}

void DesignPage::Changed() const {
    if (changed_) changed_();
}

// A step taken before a zoom change is scaled to the zoom the page has now.
void DesignPage::Replaced() {
    selection_.clear();
    TakeZoom(0, true);
    Changed();
}

void DesignPage::TakeZoom(std::size_t first, bool scale) {
    for (std::size_t i = first; i < objects_.size(); ++i) {
        if (scale) objects_[i]->SetZoom(Zoom());
        else objects_[i]->AdoptZoom(Zoom());
    }
}

std::size_t DesignPage::IndexOf(const GraphicControl* object) const {
    const auto found =
        std::find_if(objects_.begin(), objects_.end(), [object](const auto& o) { return o.get() == object; });
    return static_cast<std::size_t>(found - objects_.begin());
}

std::vector<GraphicControl*> DesignPage::OnPage(const std::vector<GraphicControl*>& targets) const {
    std::vector<GraphicControl*> found;
    for (GraphicControl* object : targets) {
        if (Holds(object) && std::find(found.begin(), found.end(), object) == found.end())
            found.push_back(object);
    }
    return found;
}

void DesignPage::Deselect(const GraphicControl* object) { std::erase(selection_, object); }

}  // namespace vl::cover
