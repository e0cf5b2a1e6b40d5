#include "ui/FaxPrintRun.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <utility>

#include "app/ReceiptPrinterChoice.h"
#include "app/Settings.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/PrePrintForm.h"
#include "ui/UiText.h"
#include "ui/VlFaxPrinterStatus.h"

namespace vl::ui {

namespace {

bool DefaultTarget(QPrinter& printer)
{
    const QString name = CurrentPrinterName().isEmpty() ? QPrinterInfo::defaultPrinterName() : CurrentPrinterName();
    if (name.isEmpty() || QPrinterInfo::printerInfo(name).isNull())
        return false;
    printer.setPrinterName(name);
    return true;
}

PrinterTarget& Target()
{
    static PrinterTarget target = DefaultTarget;
    return target;
}

}  // namespace

QString& CurrentPrinterName()
{
    static QString name;
    return name;
}

PrinterTarget SetPrinterTarget(PrinterTarget target)
{
    return std::exchange(Target(), target ? std::move(target) : PrinterTarget(DefaultTarget));
}

bool PrinterAvailable()
{
    QPrinter probe;
    return Target()(probe);
}

bool AskAndPrint(print::VlFaxPrinter& printer, const PrintRequest& request, QWidget* parent)
{
    QPrinter target(QPrinter::HighResolution);
    if (!Target()(target)) {
        ShowInformation(std::string(app::kNoPrintersText), parent);
        return false;
    }
    app::PrintOptions options;
    app::LoadPrintOptions(options);
    const int first = request.currentPageOnly ? request.currentPage : printer.FirstPage;
    const int last = request.currentPageOnly ? request.currentPage : printer.LastPage;
    PrePrintForm form(printer.PageCount(), first, last, options, request.currentPageOnly, parent);
    const bool ok = ExecCentred(form, parent);
    const app::PrintOptions chosen = form.Options();
    options.Header = chosen.Header;
    options.Footer = chosen.Footer;
    options.Stretch = chosen.Stretch;
    if (!request.currentPageOnly)
        options.MultiPage = chosen.MultiPage;
    app::SavePrintOptions(options);
    if (!ok)
        return false;

    const std::uint16_t keptFirst = printer.FirstPage;
    const std::uint16_t keptLast = printer.LastPage;
    printer.FirstPage = static_cast<std::uint16_t>(form.FromPage());
    printer.LastPage = static_cast<std::uint16_t>(form.ToPage());
    printer.Scale = options.Stretch ? print::PrintScale::psFitToPage : print::PrintScale::psNone;
    printer.MultiPage = !request.currentPageOnly && options.MultiPage;
    printer.FaxHeader.Enabled = options.Header;
    printer.FaxHeader.Caption = options.Header ? request.header : std::string();
    printer.FaxFooter.Enabled = options.Footer;
    printer.FaxFooter.Caption = options.Footer ? "Page: $P of $N" : "";
    printer.Caption = request.title;
    VlFaxPrinterStatus status(parent);
    status.Attach(printer);
    struct RangeBack {
        // A page printed alone leaves the range as it was.
        ~RangeBack()
        {
            if (!restore)
                return;
            p.FirstPage = first;
            p.LastPage = last;
        }
        print::VlFaxPrinter& p;
        bool restore;
        std::uint16_t first;
        std::uint16_t last;
    } rangeBack{printer, request.currentPageOnly, keptFirst, keptLast};
    printer.PrintFax(target);
    return true;
}

}  // namespace vl::ui
