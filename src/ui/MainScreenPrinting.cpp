// The main window's viewing and printing: a fax of either list in the viewer
// or on the current printer, the printer setup, and received faxes printed
// on receipt.
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>

#include <filesystem>

#include "app/FaxListTexts.h"
#include "ui/FaxPrintRun.h"
#include "ui/FaxViewer.h"
#include "ui/MainScreen.h"
#include "ui/SingleInstance.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// The status line and cursor while files are prepared, and the joined file
// removed, whichever way printing or viewing ends.
class ShownFaxScope {
public:
    ShownFaxScope(MainScreen& window, std::string_view status, app::FaxOperations::ShownFax& shown,
                  SessionFeedback& feedback)
        : window_(window), shown_(shown), feedback_(feedback)
    {
        window_.statusBar()->showMessage(ToQt(std::string(status)));
        feedback_.SetBusyCursor(true);
    }
    ~ShownFaxScope()
    {
        window_.statusBar()->clearMessage();
        feedback_.SetBusyCursor(false);
        if (shown_.temporary) {
            std::error_code ignored;
            std::filesystem::remove(shown_.file, ignored);
        }
    }
    ShownFaxScope(const ShownFaxScope&) = delete;
    ShownFaxScope& operator=(const ShownFaxScope&) = delete;

private:
    MainScreen& window_;
    app::FaxOperations::ShownFax& shown_;
    SessionFeedback& feedback_;
};

}  // namespace

void MainScreen::WithCurrentFax(std::string_view status,
                                const std::function<void(const app::FaxOperations::ShownFax&)>& show)
{
    app::FaxOperations::ShownFax shown;
    ShownFaxScope scope(*this, status, shown, feedback_);
    shown = operations_.FaxToShow(Page());
    if (!shown.ok) {
        ShowInformation(std::string(app::kFaxFileMissing));
        return;
    }
    feedback_.SetBusyCursor(false);
    show(shown);
}

void MainScreen::PrintClicked()
{
    if (!ChoosePrinter(settings_.PrintOnReceiptPrinter, this))
        return;
    WithCurrentFax(app::kPreparingPrinting, [this](const app::FaxOperations::ShownFax& shown) {
        print::VlFaxPrinter printer;
        printer.SetFileName(shown.file);
        AskAndPrint(printer, {shown.header, std::string(app::kFaxPrintout), false, 1}, this);
    });
}

void MainScreen::ViewClicked()
{
    if (!isVisible())
        return;
    WithCurrentFax(app::kPreparingViewing, [this](const app::FaxOperations::ShownFax& shown) {
        statusBar()->showMessage(ToQt(std::string(app::kLoadingViewer)));
        FaxViewer::View(ToQt(shown.file), QString(), shown.header, std::string(app::kFaxPrintout), this);
    });
}

void MainScreen::ViewFile(const std::string& faxFile)
{
    if (firstActivationPending_) {
        viewAfterStart_ = faxFile;
        return;
    }
    BringToFront(*this);
    guard_.Run([this, faxFile] {
        FaxViewer::View(ToQt(faxFile), QString(), std::string(), std::string(app::kFaxPrintout), this);
    });
}

void MainScreen::PrintSetupClicked()
{
    QPrinter printer;
    if (!CurrentPrinterName().isEmpty())
        printer.setPrinterName(CurrentPrinterName());
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    if (dialog.exec() == QDialog::Accepted && printer.outputFormat() == QPrinter::NativeFormat)
        CurrentPrinterName() = printer.printerName();
}

void MainScreen::PrintReceivedFax(const std::string& faxFile, const std::string& header)
{
    PrintOnReceipt(faxFile, header, settings_.PrintOnReceiptPrinter, this);
}

}  // namespace vl::ui
