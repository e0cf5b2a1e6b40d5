// The viewer window's export and print commands.
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

#include "app/ReceiptPrinterChoice.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/VlFaxUnpacker.h"
#include "ui/FaxPrintRun.h"
#include "ui/FaxViewer.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"
#include "ui/VlFaxViewer.h"
#include "ui/WholeFaxExport.h"

namespace vl::ui {

void FaxViewer::ExportPage(faxdoc::ExportFormat format, const QString& extension)
{
    if (viewer_->PageCount() == 0)
        return;
    const QString chosen = AskExportName(askExportName_, this, extension);
    if (chosen.isEmpty())
        return;
    faxdoc::VlFaxUnpacker unpacker;
    unpacker.SetInFileName(FromQt(viewer_->FileName()));
    unpacker.SetOutFileName(FromQt(chosen));
    unpacker.ExportPage(static_cast<unsigned>(viewer_->CurrentPage()), format);
}

void FaxViewer::ExportDocument(faxdoc::DocumentFormat format)
{
    if (viewer_->PageCount() == 0)
        return;
    const QString chosen = AskExportName(askExportName_, this, ExtensionText(format));
    if (!chosen.isEmpty())
        ExportWholeFax(FromQt(viewer_->FileName()), format, chosen);
}

void FaxViewer::PreparePrinter()
{
    const std::string file = FromQt(viewer_->FileName());
    if (printer_.FileName() == file)
        return;
    printer_.SetFileName(file);
}

void FaxViewer::Print(bool currentPageOnly)
{
    if (!PrinterAvailable()) {
        ShowInformation(std::string(app::kNoPrintersText), this);
        return;
    }
    if (viewer_->PageCount() == 0)
        return;
    PreparePrinter();
    try {
        AskAndPrint(printer_, {printHeader_, printTitle_, currentPageOnly, viewer_->CurrentPage()}, this);
    } catch (...) {
        // The status window and the print log have told what went wrong;
        // the page on screen is still there to look at.
    }
}

void FaxViewer::PrinterSetup()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!CurrentPrinterName().isEmpty())
        printer.setPrinterName(CurrentPrinterName());
    const bool withFile = viewer_->PageCount() > 0;
    if (withFile) {
        PreparePrinter();
        printer.setFromTo(printer_.FirstPage, printer_.LastPage);
    }
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, std::max(1, viewer_->PageCount()));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, withFile);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    CenterDialog(dialog, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        CurrentPrinterName() = printer.printerName();
    if (!withFile)
        return;
    if (dialog.printRange() == QAbstractPrintDialog::PageRange) {
        printer_.FirstPage = static_cast<std::uint16_t>(printer.fromPage());
        printer_.LastPage = static_cast<std::uint16_t>(printer.toPage());
    } else {
        printer_.FirstPage = 1;
        printer_.LastPage = static_cast<std::uint16_t>(viewer_->PageCount());
    }
}

}  // namespace vl::ui
