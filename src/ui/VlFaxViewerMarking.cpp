// The viewer's mouse marking and the copy of the mark.
#include <QClipboard>
#include <QGuiApplication>
#include <QMouseEvent>

#include <algorithm>

#include "gfx/QtImages.h"
#include "ui/VlFaxViewer.h"

namespace vl::ui {

namespace {

// Beyond this many pixels outside the control, scrolling toward the pointer
// goes two steps at a time.
constexpr int kFarOutside = 20;

// Steps toward a pointer at `pos` outside [0, extent).
int StepsToward(int pos, int extent) {
    if (pos < 0) return -pos > kFarOutside ? -2 : -1;
    if (pos >= extent) return pos - (extent - 1) > kFarOutside ? 2 : 1;
    return 0;
}

}  // namespace

QPoint VlFaxViewer::PagePoint(QPoint viewportPoint) const { return viewportPoint + Offset(); }

void VlFaxViewer::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || page_.isNull()) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    marking_ = true;
    pointer_ = event->position().toPoint();
    markStart_ = PagePoint(pointer_);
    mark_ = QRect();
    viewport()->update();
}

void VlFaxViewer::mouseMoveEvent(QMouseEvent* event) {
    if (!marking_) {
        QAbstractScrollArea::mouseMoveEvent(event);
        return;
    }
    pointer_ = event->position().toPoint();
    ExtendMark(pointer_);
    if (viewport()->rect().contains(pointer_))
        autoScroll_.stop();
    else if (!autoScroll_.isActive())
        autoScroll_.start();
}

void VlFaxViewer::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !marking_) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    marking_ = false;
    autoScroll_.stop();
}

void VlFaxViewer::ExtendMark(QPoint viewportPoint) {
    // The pixels from the start up to the pointer, within the page.
    const QPoint end = PagePoint(viewportPoint);
    const QPoint topLeft(std::min(markStart_.x(), end.x()), std::min(markStart_.y(), end.y()));
    const QPoint bottomRight(std::max(markStart_.x(), end.x()), std::max(markStart_.y(), end.y()));
    mark_ = QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y())) &
            QRect(QPoint(0, 0), page_.size());
    viewport()->update();
}

void VlFaxViewer::ScrollTowardPointer() {
    const int stepsX = StepsToward(pointer_.x(), viewport()->width());
    const int stepsY = StepsToward(pointer_.y(), viewport()->height());
    if (!marking_ || (stepsX == 0 && stepsY == 0)) {
        autoScroll_.stop();
        return;
    }
    ScrollBySteps(stepsX, stepsY);
    ExtendMark(pointer_);
}

void VlFaxViewer::SelectAll() {
    mark_ = QRect(QPoint(0, 0), page_.size());
    viewport()->update();
}

void VlFaxViewer::CopyToClipboard() {
    if (mark_.isEmpty()) return;
    QGuiApplication::clipboard()->setImage(gfx::ToQImage(bitmap_).copy(mark_));
}

}  // namespace vl::ui
