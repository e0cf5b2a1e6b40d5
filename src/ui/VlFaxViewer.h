// The fax viewer control: shows one page of an APF file at a time, scaled and
// turned, scrolls over it by keys and scroll bars, and lets the user mark a
// rectangle with the mouse and copy it. Decoding errors never leave the
// control: it unloads the file and reports the error's code.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <QTimer>

#include <optional>

#include "faxdoc/VlFaxUnpacker.h"
#include "ui/ViewerPages.h"

namespace vl::ui {

class VlFaxViewer : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit VlFaxViewer(QWidget* parent = nullptr);

    // Setting a name loads the file and shows its first page; an empty name
    // unloads.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name);

    QColor FGColor() const { return fgColor_; }
    void SetFGColor(const QColor& colour);
    QColor BGColor() const { return bgColor_; }
    void SetBGColor(const QColor& colour);

    // Decoding: each change decodes the page again (once per update).
    bool Scaling() const { return Decoder().Scaling(); }
    void SetScaling(bool on);
    int HorizMult() const { return Decoder().HorizMult(); }
    int HorizDiv() const { return Decoder().HorizDiv(); }
    int VertMult() const { return Decoder().VertMult(); }
    int VertDiv() const { return Decoder().VertDiv(); }
    // Factors below 1 are ignored; an equal pair is kept as 1/1.
    void SetHorizMult(int factor) { SetScaleFactors(factor, HorizDiv(), VertMult(), VertDiv()); }
    void SetHorizDiv(int factor) { SetScaleFactors(HorizMult(), factor, VertMult(), VertDiv()); }
    void SetVertMult(int factor) { SetScaleFactors(HorizMult(), HorizDiv(), factor, VertDiv()); }
    void SetVertDiv(int factor) { SetScaleFactors(HorizMult(), HorizDiv(), VertMult(), factor); }
    void SetScaleFactors(int horizMult, int horizDiv, int vertMult, int vertDiv);
    faxdoc::AutoScaleMode AutoScaleMode() const { return Decoder().AutoScale(); }
    void SetAutoScaleMode(faxdoc::AutoScaleMode mode);
    bool WhitespaceCompression() const { return Decoder().WhitespaceCompression(); }
    void SetWhitespaceCompression(bool on);
    // Change From and To between BeginUpdate and EndUpdate: a pair the
    // unpacker refuses fails the page like a damaged one.
    int WhitespaceFrom() const { return Decoder().WhitespaceFrom(); }
    void SetWhitespaceFrom(int lines);
    int WhitespaceTo() const { return Decoder().WhitespaceTo(); }
    void SetWhitespaceTo(int lines);

    // Pixels per scroll step (a jump is ten steps).
    int HorizScroll() const { return horizScroll_; }
    void SetHorizScroll(int pixels);
    int VertScroll() const { return vertScroll_; }
    void SetVertScroll(int pixels);

    // Files dropped on the control are reported by DropFile.
    bool AcceptDragged() const { return acceptDragged_; }
    void SetAcceptDragged(bool on);
    // Decode every page at load and keep them, instead of only the page shown.
    bool LoadWholeFax() const { return pages_.KeepAll(); }
    void SetLoadWholeFax(bool on) { pages_.SetKeepAll(on); }
    // Shown while a page decodes; the arrow means no change.
    Qt::CursorShape BusyCursor() const { return busyCursor_; }
    void SetBusyCursor(Qt::CursorShape shape) { busyCursor_ = shape; }

    void FirstPage() { GotoPage(1); }
    void PrevPage() { GotoPage(currentPage_ - 1); }
    void NextPage() { GotoPage(currentPage_ + 1); }
    void LastPage() { GotoPage(PageCount()); }
    // Pages outside 1..PageCount are ignored.
    void GotoPage(int page);
    // From 1; 0 without a file.
    int CurrentPage() const { return currentPage_; }
    int PageCount() const { return pages_.Count(); }
    // The current page as shown: scaled and turned.
    int PageWidth() const { return page_.width(); }
    int PageHeight() const { return page_.height(); }
    // Pages decoded and held.
    int DecodedPages() const { return pages_.Held(); }
    // The bytes of the page pictures held: the decoded pages and the one
    // shown.
    std::size_t HeldBytes() const
    {
        return pages_.HeldBytes() + bitmap_.Bits().size() + static_cast<std::size_t>(page_.sizeInBytes());
    }

    // Clockwise quarter turns, 0 to 3; other values are ignored.
    int Rotation() const { return pages_.Rotation(); }
    void SetRotation(int quarterTurns);

    // Changes of scaling and rotation between these two are applied once, at
    // the end. They nest.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    // The mark in page coordinates; empty when nothing is marked.
    QRect Mark() const { return mark_; }
    void SelectAll();
    // The marked part of the page, black on white, as an image on the
    // clipboard; nothing without a mark.
    void CopyToClipboard();

signals:
    void PageChange();
    void ViewerError(int code);
    void DropFile(const QString& fileName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    faxdoc::VlFaxUnpacker& Decoder() { return pages_.Decoder(); }
    const faxdoc::VlFaxUnpacker& Decoder() const { return pages_.Decoder(); }

    void LoadFile();
    void Unload();
    void LoadPage();
    // Shows the page again after a change of decoding (which drops what is
    // held) or of rotation; deferred while updating.
    void Reshow(bool decodingChanged);
    void ShowPage(gfx::MonoBitmap page);
    void Colourise();

    // Scrolling (VlFaxViewerScrolling.cpp).
    void UpdateScrollBars();
    QPoint Offset() const;
    void ScrollTo(int x, int y);
    void ScrollBySteps(int stepsX, int stepsY);

    // Marking (VlFaxViewerMarking.cpp).
    QPoint PagePoint(QPoint viewportPoint) const;
    void ExtendMark(QPoint viewportPoint);
    void ScrollTowardPointer();

    ViewerPages pages_;
    QString fileName_;
    QColor fgColor_ = Qt::black;
    QColor bgColor_ = Qt::white;
    int horizScroll_ = 8;
    int vertScroll_ = 8;
    bool acceptDragged_ = true;
    Qt::CursorShape busyCursor_ = Qt::ArrowCursor;

    int currentPage_ = 0;
    gfx::MonoBitmap bitmap_;
    // The bitmap in the control's colours, ready to paint.
    QImage page_;
    int updating_ = 0;
    bool reshowPending_ = false;
    bool forgetPending_ = false;
    bool loading_ = false;
    // A file named while a page was decoding, loaded once it stops.
    std::optional<QString> deferredFile_;

    QRect mark_;
    QPoint markStart_;
    bool marking_ = false;
    QPoint pointer_;
    QTimer autoScroll_;
};

}  // namespace vl::ui
