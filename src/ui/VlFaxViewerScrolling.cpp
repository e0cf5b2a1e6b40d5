// The viewer's scrolling: the scroll bars hold the offsets, so every way of
// scrolling stays within the page; the keys of the key table.
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

#include "ui/ViewerKeys.h"
#include "ui/VlFaxViewer.h"

namespace vl::ui {

void VlFaxViewer::UpdateScrollBars() {
    const QSize view = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, PageWidth() - view.width()));
    h->setSingleStep(horizScroll_);
    h->setPageStep(view.width());
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, PageHeight() - view.height()));
    v->setSingleStep(vertScroll_);
    v->setPageStep(view.height());
}

QPoint VlFaxViewer::Offset() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void VlFaxViewer::ScrollTo(int x, int y) {
    // The scroll bars keep the offsets within the page.
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void VlFaxViewer::ScrollBySteps(int stepsX, int stepsY) {
    const QPoint at = Offset();
    ScrollTo(at.x() + stepsX * horizScroll_, at.y() + stepsY * vertScroll_);
}

void VlFaxViewer::scrollContentsBy(int dx, int dy) { viewport()->scroll(dx, dy); }

void VlFaxViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void VlFaxViewer::keyPressEvent(QKeyEvent* event) {
    const ViewerKeyCommand command = ViewerKey(event->key(), (event->modifiers() & Qt::ControlModifier) != 0);
    const QPoint at = Offset();
    switch (command.action) {
        case ViewerKeyAction::None: QAbstractScrollArea::keyPressEvent(event); return;
        case ViewerKeyAction::PreviousPage: PrevPage(); break;
        case ViewerKeyAction::NextPage: NextPage(); break;
        case ViewerKeyAction::FirstPage:
            if (currentPage_ <= 1)
                ScrollTo(0, 0);
            else
                FirstPage();
            break;
        case ViewerKeyAction::LastPage:
            if (currentPage_ >= PageCount())
                ScrollTo(0, 0);
            else
                LastPage();
            break;
        case ViewerKeyAction::Top: ScrollTo(at.x(), 0); break;
        case ViewerKeyAction::Bottom: ScrollTo(at.x(), verticalScrollBar()->maximum()); break;
        case ViewerKeyAction::LeftEdge: ScrollTo(0, at.y()); break;
        case ViewerKeyAction::RightEdge: ScrollTo(horizontalScrollBar()->maximum(), at.y()); break;
        case ViewerKeyAction::Scroll: ScrollBySteps(command.stepsX, command.stepsY); break;
    }
    event->accept();
}

}  // namespace vl::ui
