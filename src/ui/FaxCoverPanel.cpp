#include "ui/FaxCoverPanel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <utility>

#include "ui/CoverObjectMenu.h"
#include "ui/CoverObjectPainting.h"
#include "ui/CoverPageMenu.h"

namespace vl::ui {

namespace {

const QColor kGridDot(0x00, 0x80, 0x00);
const QColor kSecondaryColor(0x80, 0x80, 0x80);

QRect ToQRect(const cover::DesignRect& rect)
{
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

// One dot in the top-left pixel of every grid cell.
QBrush GridBrush(int size)
{
    QPixmap cell(size, size);
    cell.fill(Qt::white);
    QPainter painter(&cell);
    painter.setPen(kGridDot);
    painter.drawPoint(0, 0);
    return QBrush(cell);
}

}  // namespace

FaxCoverPanel::FaxCoverPanel(cover::DesignPage& page, std::string clipboardFile, QWidget* parent)
    : QWidget(parent), page_(page), commands_(page, std::move(clipboardFile), StandardCoverDialogs(*this)),
      runMenu_([](QMenu& menu, const QPoint& at) { menu.exec(at); })
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    Refresh();
}

void FaxCoverPanel::SetPanelState(cover::PanelState state)
{
    state_ = state;
    drag_ = Drag::None;
    UpdateCursor();
    update();
}

void FaxCoverPanel::SetShowGrid(bool show)
{
    showGrid_ = show;
    update();
}

void FaxCoverPanel::SetSnapToGrid(bool snap)
{
    snapToGrid_ = snap;
    handle_.SetSnap(snapToGrid_, gridSize_);
}

void FaxCoverPanel::SetGridSize(int size)
{
    gridSize_ = size == 8 ? 8 : 4;
    handle_.SetSnap(snapToGrid_, gridSize_);
    update();
}

void FaxCoverPanel::SetDrawOutline(bool draw)
{
    drawOutline_ = draw;
    update();
}

void FaxCoverPanel::Refresh()
{
    setFixedSize(page_.Width(), page_.Height());
    update();
    if (page_.Selection() != shownSelection_) {
        shownSelection_ = page_.Selection();
        emit SelectionChanged();
    }
}

// Whatever a command changed, the panel shows it afterwards, also when the
// command failed half-way.
void FaxCoverPanel::Command(const std::function<void()>& command)
{
    guard_.Run(command);
    Refresh();
}

// --- Drawing -----------------------------------------------------------------

void FaxCoverPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect page(0, 0, page_.Width(), page_.Height());
    painter.fillRect(page, showGrid_ ? GridBrush(gridSize_) : QBrush(Qt::white));
    if (drawOutline_) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(page.adjusted(0, 0, -1, -1));
    }
    for (const auto& object : page_.Objects())
        PaintCoverObject(painter, *object);
    PaintSelection(painter);
    PaintRubberBand(painter);
}

// The handle squares in black around one object, grey around several.
void FaxCoverPanel::PaintSelection(QPainter& painter) const
{
    const std::vector<cover::GraphicControl*>& selection = page_.Selection();
    const bool one = selection.size() == 1;
    for (const cover::GraphicControl* object : selection) {
        const cover::DesignRect bounds{object->Left(), object->Top(), object->Width(), object->Height()};
        for (const cover::DesignRect& square : cover::GHandle::Squares(bounds, one))
            painter.fillRect(ToQRect(square), one ? QColor(Qt::black) : kSecondaryColor);
    }
}

void FaxCoverPanel::PaintRubberBand(QPainter& painter) const
{
    cover::DesignRect band;
    if (keyMoving_) {
        band = keyRect_;
    } else if (drag_ == Drag::Frame) {
        band = frameNow_;
    } else if (drag_ == Drag::Band || drag_ == Drag::Place) {
        band = cover::NormalizedRect(pressAt_.x(), pressAt_.y(), pointer_.x(), pointer_.y());
    } else {
        return;
    }
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(ToQRect(band).adjusted(0, 0, -1, -1));
}

// --- Mouse ---------------------------------------------------------------------

// The frame covers the selection's bounds; around one object its squares too.
bool FaxCoverPanel::OnFrame(const QPoint& at) const
{
    const cover::DesignRect frame = page_.FrameBounds();
    if (page_.Selection().empty())
        return false;
    if (frame.Contains(at.x(), at.y()))
        return true;
    if (page_.Selection().size() != 1)
        return false;
    for (const cover::DesignRect& square : cover::GHandle::Squares(frame, true)) {
        if (square.Contains(at.x(), at.y()))
            return true;
    }
    return false;
}

void FaxCoverPanel::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->button() == Qt::RightButton && state_ == cover::PanelState::Pointing && drag_ == Drag::None) {
        const QPoint global = event->globalPosition().toPoint();
        Command([this, at, shift, global] { RightPress(at, shift, global); });
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    pressAt_ = pointer_ = at;
    pressTime_ = event->timestamp();
    if (state_ != cover::PanelState::Pointing) {
        drag_ = Drag::Place;
        update();
        return;
    }
    Command([this, at, shift] { LeftPress(at, shift); });
    UpdateCursor();
}

// An unselectable object lets the press through to the page: a band starts.
void FaxCoverPanel::LeftPress(const QPoint& at, bool shift)
{
    cover::GraphicControl* object = page_.ObjectAt(at.x(), at.y());
    if (object != nullptr && object->unselectable)
        object = nullptr;
    if (!shift && OnFrame(at)) {
        const cover::FrameZone zone =
            cover::GHandle::ZoneAt(page_.FrameBounds(), at.x(), at.y(), page_.Selection().size() == 1);
        // An unselected object inside the frame takes a plain click.
        if (object == nullptr || page_.IsSelected(object) || zone != cover::FrameZone::Move) {
            StartFrameDrag(zone);
            return;
        }
    }
    if (object != nullptr) {
        page_.Click(object, shift);
        if (!shift && page_.IsSelected(object))
            StartFrameDrag(cover::FrameZone::Move);
        return;
    }
    drag_ = Drag::Band;
}

void FaxCoverPanel::StartFrameDrag(cover::FrameZone zone)
{
    drag_ = Drag::Frame;
    zone_ = zone;
    frameStart_ = frameNow_ = page_.FrameBounds();
}

void FaxCoverPanel::RightPress(const QPoint& at, bool shift, const QPoint& global)
{
    cover::GraphicControl* object = page_.ObjectAt(at.x(), at.y());
    if (object == nullptr || object->unselectable) {
        OpenPageMenu(global);
        return;
    }
    if (!shift || !page_.IsSelected(object))
        page_.Click(object, shift);
    Refresh();
    if (page_.Selection().size() == 1 && page_.Selection().front() == object)
        OpenObjectMenu(*object, global);
}

void FaxCoverPanel::OpenObjectMenu(cover::GraphicControl& object, const QPoint& global)
{
    const std::unique_ptr<QMenu> menu = MakeCoverObjectMenu(commands_, guard_, object, this);
    runMenu_(*menu, global);
}

void FaxCoverPanel::OpenPageMenu(const QPoint& global)
{
    const std::unique_ptr<QMenu> menu = MakeCoverPageMenu(commands_, guard_, this);
    runMenu_(*menu, global);
}

void FaxCoverPanel::mouseMoveEvent(QMouseEvent* event)
{
    pointer_ = event->position().toPoint();
    if (drag_ == Drag::Frame) {
        frameNow_ = handle_.Dragged(frameStart_, zone_, pointer_.x() - pressAt_.x(), pointer_.y() - pressAt_.y(),
                                    page_.Width(), page_.Height());
    }
    if (drag_ != Drag::None)
        update();
    UpdateCursor();
}

void FaxCoverPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || drag_ == Drag::None)
        return;
    pointer_ = event->position().toPoint();
    const Drag drag = std::exchange(drag_, Drag::None);
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const bool quick = event->timestamp() - pressTime_ < kQuickClickMs;
    Command([this, drag, shift, quick] { FinishDrag(drag, shift, quick); });
    UpdateCursor();
}

void FaxCoverPanel::FinishDrag(Drag drag, bool shift, bool quick)
{
    switch (drag) {
    case Drag::Band:
        page_.SelectBand(cover::NormalizedRect(pressAt_.x(), pressAt_.y(), pointer_.x(), pointer_.y()), shift);
        break;
    case Drag::Frame: {
        // A click that only trembled moves nothing.
        const bool moved = (pointer_ - pressAt_).manhattanLength() >= QApplication::startDragDistance();
        if ((moved || !quick) && frameNow_ != frameStart_)
            page_.ApplyFrame(frameStart_, frameNow_);
        break;
    }
    case Drag::Place: {
        const cover::DesignRect dragged =
            cover::NormalizedRect(pressAt_.x(), pressAt_.y(), pointer_.x(), pointer_.y());
        if (cover::GraphicControl* object = page_.Place(state_, dragged, commands_.DefaultFont())) {
            Refresh();
            emit ObjectDropped(object);
        }
        break;
    }
    case Drag::None:
        break;
    }
}

void FaxCoverPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || state_ != cover::PanelState::Pointing)
        return;
    const QPoint at = event->position().toPoint();
    cover::GraphicControl* object = page_.ObjectAt(at.x(), at.y());
    if (object == nullptr || object->unselectable)
        return;
    drag_ = Drag::None;
    const QPoint global = event->globalPosition().toPoint();
    Command([this, object, global] { OpenObjectMenu(*object, global); });
}

void FaxCoverPanel::UpdateCursor()
{
    if (drag_ == Drag::Frame) {
        setCursor(Qt::ClosedHandCursor);
    } else if (drag_ == Drag::Band) {
        setCursor(Qt::PointingHandCursor);
    } else if (state_ != cover::PanelState::Pointing) {
        setCursor(Qt::DragMoveCursor);
    } else if (page_.ObjectAt(pointer_.x(), pointer_.y()) != nullptr) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
}

// --- Keys --------------------------------------------------------------------------

bool FaxCoverPanel::WindowKeyFor(const QKeyEvent& event)
{
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    switch (event.key()) {
    case Qt::Key_PageUp:
        emit WindowKeyPressed(WindowKey::LineUp);
        return true;
    case Qt::Key_PageDown:
        emit WindowKeyPressed(WindowKey::LineDown);
        return true;
    case Qt::Key_Home:
        emit WindowKeyPressed(WindowKey::Top);
        return true;
    case Qt::Key_End:
        emit WindowKeyPressed(WindowKey::Bottom);
        return true;
    case Qt::Key_Plus:
        if (keypad)
            emit WindowKeyPressed(WindowKey::ZoomIn);
        return keypad;
    case Qt::Key_Minus:
        if (keypad)
            emit WindowKeyPressed(WindowKey::ZoomOut);
        return keypad;
    default:
        return false;
    }
}

void FaxCoverPanel::keyPressEvent(QKeyEvent* event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (WindowKeyFor(*event) || ArrowPressed(event->key(), shift))
        return;
    if (event->matches(QKeySequence::Copy)) {
        Command([this] { commands_.Copy(page_.Selection()); });
    } else if (event->matches(QKeySequence::Paste)) {
        Command([this] { commands_.Paste(); });
    } else if (event->matches(QKeySequence::Cut)) {
        Command([this] { commands_.Cut(page_.Selection()); });
    } else if (event->key() == Qt::Key_Delete) {
        Command([this] { page_.Delete(std::vector<cover::GraphicControl*>(page_.Selection())); });
    } else {
        QWidget::keyPressEvent(event);
    }
}

// The first arrow starts the keyboard rectangle at the frame; each key moves
// it, or with Shift resizes a single object.
bool FaxCoverPanel::ArrowPressed(int key, bool shift)
{
    cover::GHandle::Arrow arrow{};
    switch (key) {
    case Qt::Key_Left:
        arrow = cover::GHandle::Arrow::Left;
        break;
    case Qt::Key_Up:
        arrow = cover::GHandle::Arrow::Up;
        break;
    case Qt::Key_Right:
        arrow = cover::GHandle::Arrow::Right;
        break;
    case Qt::Key_Down:
        arrow = cover::GHandle::Arrow::Down;
        break;
    default:
        return false;
    }
    if (page_.Selection().empty())
        return true;
    if (!keyMoving_) {
        keyMoving_ = true;
        keyStart_ = keyRect_ = page_.FrameBounds();
    }
    const bool resize = shift && page_.Selection().size() == 1;
    keyRect_ = cover::GHandle::Keyed(keyRect_, arrow, resize, page_.Width(), page_.Height());
    update();
    return true;
}

void FaxCoverPanel::keyReleaseEvent(QKeyEvent* event)
{
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Up || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Down;
    if (!arrow || event->isAutoRepeat() || !keyMoving_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    keyMoving_ = false;
    if (keyRect_ != keyStart_)
        Command([this] { page_.ApplyFrame(keyStart_, keyRect_); });
    update();
}

}  // namespace vl::ui
