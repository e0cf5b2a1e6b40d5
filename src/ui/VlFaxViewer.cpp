#include "ui/VlFaxViewer.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <algorithm>
#include <exception>
#include <utility>

#include "base/Exceptions.h"
#include "gfx/QtImages.h"

namespace vl::ui {

namespace {

constexpr int kAutoScrollMs = 50;

}  // namespace

VlFaxViewer::VlFaxViewer(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    SetAcceptDragged(true);
    autoScroll_.setInterval(kAutoScrollMs);
    connect(&autoScroll_, &QTimer::timeout, this, &VlFaxViewer::ScrollTowardPointer);
    UpdateScrollBars();
}

void VlFaxViewer::SetFileName(const QString& name) {
    if (loading_) {
        // The page being decoded is of no interest any more.
        deferredFile_ = name;
        Decoder().SetOptions(faxdoc::uoYield | faxdoc::uoAbort);
        return;
    }
    fileName_ = name;
    LoadFile();
}

void VlFaxViewer::LoadFile() {
    if (fileName_.isEmpty()) {
        Unload();
        return;
    }
    int count = 0;
    try {
        count = pages_.Open(fileName_.toStdString());
    } catch (...) {
        const int code = base::ExceptionCode(std::current_exception());
        Unload();
        emit ViewerError(code);
        return;
    }
    currentPage_ = count > 0 ? 1 : 0;
    if (count > 0)
        LoadPage();
    else
        ShowPage({});
}

void VlFaxViewer::Unload() {
    pages_.Close();
    fileName_.clear();
    currentPage_ = 0;
    ShowPage({});
}

void VlFaxViewer::LoadPage() {
    if (loading_ || currentPage_ == 0) return;
    loading_ = true;
    const bool busy = busyCursor_ != Qt::ArrowCursor;
    if (busy) QGuiApplication::setOverrideCursor(busyCursor_);
    gfx::MonoBitmap page;
    int code = 0;
    try {
        page = pages_.Page(currentPage_);
    } catch (...) {
        code = base::ExceptionCode(std::current_exception());
    }
    if (busy) QGuiApplication::restoreOverrideCursor();
    Decoder().SetOptions(faxdoc::uoYield);
    loading_ = false;

    if (deferredFile_) {
        const QString name = *deferredFile_;
        deferredFile_.reset();
        SetFileName(name);
    } else if (code != 0) {
        Unload();
        emit ViewerError(code);
    } else {
        ShowPage(std::move(page));
        if (reshowPending_) Reshow(false);
    }
}

void VlFaxViewer::Reshow(bool decodingChanged) {
    forgetPending_ = forgetPending_ || decodingChanged;
    if (updating_ > 0 || loading_) {
        reshowPending_ = true;
        return;
    }
    reshowPending_ = false;
    if (forgetPending_) pages_.Forget();
    forgetPending_ = false;
    LoadPage();
}

void VlFaxViewer::EndUpdate() {
    if (updating_ == 0) return;
    if (--updating_ == 0 && reshowPending_) Reshow(false);
}

void VlFaxViewer::ShowPage(gfx::MonoBitmap page) {
    bitmap_ = std::move(page);
    Colourise();
    mark_ = QRect();
    marking_ = false;
    autoScroll_.stop();
    UpdateScrollBars();
    ScrollTo(0, 0);
    viewport()->update();
    emit PageChange();
}

void VlFaxViewer::Colourise() {
    if (bitmap_.Empty()) {
        page_ = QImage();
        return;
    }
    QImage mono = gfx::ToQImage(bitmap_);
    mono.setColorTable({bgColor_.rgb(), fgColor_.rgb()});
    // Painting a one-bit image converts it each time; convert it once.
    page_ = mono.convertToFormat(QImage::Format_RGB32);
}

void VlFaxViewer::GotoPage(int page) {
    if (loading_ || page < 1 || page > PageCount() || page == currentPage_) return;
    currentPage_ = page;
    LoadPage();
}

void VlFaxViewer::SetRotation(int quarterTurns) {
    if (quarterTurns < 0 || quarterTurns > 3 || quarterTurns == Rotation()) return;
    pages_.SetRotation(quarterTurns);
    Reshow(false);
}

void VlFaxViewer::SetScaling(bool on) {
    if (on == Scaling()) return;
    Decoder().SetScaling(on);
    Reshow(true);
}

void VlFaxViewer::SetScaleFactors(int horizMult, int horizDiv, int vertMult, int vertDiv) {
    auto pair = [](int& mult, int& div, int newMult, int newDiv) {
        if (newMult >= 1) mult = newMult;
        if (newDiv >= 1) div = newDiv;
        if (mult == div) mult = div = 1;
    };
    int hm = HorizMult(), hd = HorizDiv(), vm = VertMult(), vd = VertDiv();
    pair(hm, hd, horizMult, horizDiv);
    pair(vm, vd, vertMult, vertDiv);
    if (hm == HorizMult() && hd == HorizDiv() && vm == VertMult() && vd == VertDiv()) return;
    Decoder().SetHorizMult(hm);
    Decoder().SetHorizDiv(hd);
    Decoder().SetVertMult(vm);
    Decoder().SetVertDiv(vd);
    if (Scaling()) Reshow(true);
}

void VlFaxViewer::SetAutoScaleMode(faxdoc::AutoScaleMode mode) {
    if (mode == AutoScaleMode()) return;
    Decoder().SetAutoScaleMode(mode);
    Reshow(true);
}

void VlFaxViewer::SetWhitespaceCompression(bool on) {
    if (on == WhitespaceCompression()) return;
    Decoder().SetWhitespaceCompression(on);
    Reshow(true);
}

void VlFaxViewer::SetWhitespaceFrom(int lines) {
    if (lines == WhitespaceFrom()) return;
    Decoder().SetWhitespaceFrom(lines);
    if (WhitespaceCompression()) Reshow(true);
}

void VlFaxViewer::SetWhitespaceTo(int lines) {
    if (lines == WhitespaceTo()) return;
    Decoder().SetWhitespaceTo(lines);
    if (WhitespaceCompression()) Reshow(true);
}

void VlFaxViewer::SetFGColor(const QColor& colour) {
    fgColor_ = colour;
    Colourise();
    viewport()->update();
}

void VlFaxViewer::SetBGColor(const QColor& colour) {
    bgColor_ = colour;
    Colourise();
    viewport()->update();
}

void VlFaxViewer::SetHorizScroll(int pixels) {
    horizScroll_ = std::max(1, pixels);
    UpdateScrollBars();
}

void VlFaxViewer::SetVertScroll(int pixels) {
    vertScroll_ = std::max(1, pixels);
    UpdateScrollBars();
}

void VlFaxViewer::SetAcceptDragged(bool on) {
    acceptDragged_ = on;
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
}

void VlFaxViewer::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    painter.fillRect(area, bgColor_);
    const QPoint offset = Offset();
    const QRect visible = QRect(-offset, page_.size()) & area;
    if (!visible.isEmpty()) painter.drawImage(visible, page_, visible.translated(offset));
    if (!mark_.isEmpty()) {
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.fillRect(mark_.translated(-offset) & area, Qt::white);
    }
}

void VlFaxViewer::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (acceptDragged_ && !urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void VlFaxViewer::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!acceptDragged_ || urls.isEmpty() || !urls.front().isLocalFile()) return;
    event->acceptProposedAction();
    emit DropFile(urls.front().toLocalFile());
}

}  // namespace vl::ui
