#include "print/VlFaxPrinter.h"

#include <algorithm>
#include <exception>

#include <QDateTime>
#include <QFont>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include "base/ErrorCodes.h"
#include "base/Exceptions.h"
#include "base/WindowSystemPump.h"
#include "gfx/GuiApplication.h"
#include "gfx/QtImages.h"
#include "print/CaptionMacros.h"

namespace vl::print {

namespace {

QString ToQt(const std::string& text) { return QString::fromStdString(text); }

// The margin's font on the printer: its point size, halved for four or two
// pages to a sheet.
QFont MarginFont(const gfx::FontSpec& spec, bool multiPage) {
    QFont font(ToQt(spec.family));
    const double points = multiPage ? static_cast<int>(spec.points / 2) : spec.points;
    font.setPointSizeF(std::max(1.0, points));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    return font;
}

gfx::PixelBox BoxOf(const QRect& rect) { return {rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1}; }
QRect RectOf(const gfx::PixelBox& box) { return QRect(box.x0, box.y0, box.x1 - box.x0, box.y1 - box.y0); }

}  // namespace

const char* PrintProgressName(PrintProgress progress) {
    switch (progress) {
        case PrintProgress::Idle: return "Idle";
        case PrintProgress::Composing: return "Composing";
        case PrintProgress::Rendering: return "Rendering";
        case PrintProgress::Submitting: return "Submitting";
        case PrintProgress::Converting: return "Converting";
    }
    return "";
}

VlFaxPrinter::VlFaxPrinter() { unpacker_.SetOptions(faxdoc::uoYield); }

void VlFaxPrinter::SetFileName(const std::string& name) {
    fileName_ = name;
    unpacker_.SetInFileName(name);
    try {
        pageCount_ = unpacker_.CountPages();
        resolution_ = pageCount_ > 0 && unpacker_.FirstPageFine() ? "high" : "standard";
        width_ = pageCount_ > 0 && unpacker_.FirstPageWide() ? "2048" : "1728";
    } catch (const base::EVlException&) {
        pageCount_ = 0;
    } catch (const base::EInOutError&) {
        pageCount_ = 0;
    }
    FirstPage = pageCount_ > 0 ? 1 : 0;
    LastPage = static_cast<std::uint16_t>(pageCount_);
}

void VlFaxPrinter::Progress(PrintProgress progress) {
    if (OnFaxPrintStatus) OnFaxPrintStatus(progress);
    // The status window repaints and its Abort button is heard.
    if (!ProcessMessages) {
        base::PumpWindowSystem();
    } else if (ProcessMessages() == base::ecGotQuitMsg) {
        PrintAbort();
    }
}

void VlFaxPrinter::Log(PrintLogCode code) {
    if (FaxPrinterLog != nullptr) {
        const QString now = QLocale::system().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
        FaxPrinterLog->WriteLog(code, fileName_, now.toStdString());
    }
    if (OnFaxPrintLog) OnFaxPrintLog(code);
}

void VlFaxPrinter::PrintAbort() {
    if (printer_ == nullptr) return;
    aborted_ = true;
    unpacker_.SetOptions(faxdoc::uoYield | faxdoc::uoAbort);
}

void VlFaxPrinter::DrawMargin(QPainter& painter, const FaxMargin& margin, int page, bool top, QRect& cell) const {
    const QLocale locale = QLocale::system();
    const CaptionValues values{locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(),
                               locale.toString(QTime::currentTime(), QLocale::ShortFormat).toStdString(), fileName_,
                               page, pageCount_};
    const QFont font = MarginFont(margin.Font, MultiPage);
    const int height = QFontMetrics(font, painter.device()).height();
    const QRect band(cell.left(), top ? cell.top() : cell.bottom() + 1 - height, cell.width(), height);
    painter.save();
    painter.setFont(font);
    painter.setClipRect(band);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, ToQt(ExpandCaptionMacros(margin.Caption, values)));
    painter.restore();
    const int lineY = top ? band.bottom() + 2 : band.top() - 2;
    // About a quarter point, whatever the printer's resolution.
    painter.setPen(QPen(Qt::black, std::max(1, painter.device()->logicalDpiY() / 300)));
    painter.drawLine(cell.left(), lineY, cell.right(), lineY);
    if (top)
        cell.setTop(lineY + 1);
    else
        cell.setBottom(lineY - 1);
}

void VlFaxPrinter::PrintPage(QPainter& painter, int page, int index, const SheetOptions& sheet) {
    if (OnNextPage) OnNextPage(page, pageCount_);
    Progress(PrintProgress::Converting);
    const gfx::MonoBitmap bitmap = unpacker_.DecodePageToBitmap(static_cast<unsigned>(page));
    if (aborted_) return;
    Progress(PrintProgress::Composing);
    const QRect printable(0, 0, painter.device()->width(), painter.device()->height());
    QRect cell = RectOf(FaxCell(BoxOf(printable), index, sheet));
    if (FaxHeader.Enabled) DrawMargin(painter, FaxHeader, page, true, cell);
    if (FaxFooter.Enabled) DrawMargin(painter, FaxFooter, page, false, cell);
    const PrintSize size =
        DestinationSize(Scale, BoxOf(cell), bitmap.Width(), bitmap.Height(), painter.device()->logicalDpiX());
    Progress(PrintProgress::Rendering);
    if (!bitmap.Empty()) painter.drawImage(QRect(cell.topLeft(), QSize(size.width, size.height)), gfx::ToQImage(bitmap));
    Progress(PrintProgress::Submitting);
}

void VlFaxPrinter::PrintFax(QPrinter& printer) {
    const int last = std::min<int>(LastPage, pageCount_);
    if (pageCount_ == 0 || FirstPage < 1 || FirstPage > last) return;
    gfx::EnsureGuiApplication();
    struct Running {
        explicit Running(VlFaxPrinter& p, QPrinter& printer) : owner(p) {
            owner.printer_ = &printer;
            owner.aborted_ = false;
        }
        ~Running() {
            owner.printer_ = nullptr;
            owner.unpacker_.SetOptions(faxdoc::uoYield);
        }
        VlFaxPrinter& owner;
    } running(*this, printer);

    // The job is logged first so that a status window knows the fax it shows.
    Log(PrintLogCode::lcStart);
    Progress(PrintProgress::Idle);
    printer.setDocName(ToQt(Caption));
    QPainter painter;
    if (!painter.begin(&printer)) {
        Log(PrintLogCode::lcFailed);
        throw base::EVlException(base::ecCantWriteFile);
    }
    const SheetOptions sheet{MultiPage, printer.pageLayout().orientation() == QPageLayout::Portrait};
    std::exception_ptr failure;
    for (int page = FirstPage; page <= last && !aborted_ && !failure; ++page) {
        const int index = page - FirstPage;
        if (index > 0 && StartsSheet(index, sheet)) printer.newPage();
        try {
            PrintPage(painter, page, index, sheet);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    if (aborted_ || failure) printer.abort();
    painter.end();
    Log(aborted_ ? PrintLogCode::lcAborted : failure ? PrintLogCode::lcFailed : PrintLogCode::lcFinish);
    Progress(PrintProgress::Idle);
    if (failure) std::rethrow_exception(failure);
}

}  // namespace vl::print
