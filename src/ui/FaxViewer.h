// "Fax Viewer ": one fax file on screen with page navigation, zoom, rotation,
// export of the page shown as a picture file or of every page as a document,
// and printing. The file loads when the window is first shown, so the start
// zoom fits the window's width.
#pragma once

#include <QDialog>

#include <string>

#include "print/VlFaxPrinter.h"
#include "ui/CommandGuard.h"
#include "ui/ExportNameAsker.h"

class QAction;
class QActionGroup;
class QLabel;
class QLayout;
class QMenu;
class QMenuBar;
class QPushButton;

namespace vl::faxdoc {
enum class ExportFormat;
enum class DocumentFormat;
}

namespace vl::ui {

class VlFaxViewer;

class FaxViewer : public QDialog {
    Q_OBJECT

public:
    explicit FaxViewer(QWidget* parent = nullptr);

    // All before the window is shown. The title goes before the status
    // line's page numbers; the header is the printed header line's text and
    // the print title the job's name in the spooler.
    void SetFileName(const QString& fileName) { fileName_ = fileName; }
    void SetTitle(const QString& title) { title_ = title; }
    void SetPrintHeader(const std::string& header) { printHeader_ = header; }
    void SetPrintTitle(const std::string& title) { printTitle_ = title; }

    // Asks where an export goes; by default the save dialog.
    void SetExportNameAsker(ExportNameAsker asker) { askExportName_ = std::move(asker); }

    // The zoom step, 25 to 100 (shown as twice that in per cent).
    int ZoomStep() const { return zoomStep_; }

    // Shows the file modally, placed where this window was last.
    static void View(const QString& fileName, const QString& title, const std::string& printHeader,
                     const std::string& printTitle, QWidget* mainWindow);

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    QMenuBar* BuildMenus();
    QLayout* BuildButtons();
    QWidget* BuildStatusLine();
    QAction* AddChoice(QMenu& menu, QActionGroup& group, const QString& caption, const char* name);

    void FirstActivation();
    void LoadFile();
    void ViewerFailed(int code);
    void PageChanged();

    // Zoom (FaxViewer.cpp).
    void SetZoom(int step);
    void ZoomBy(int direction);
    int StartStep() const;

    // Export and printing (FaxViewerCommands.cpp).
    void ExportPage(faxdoc::ExportFormat format, const QString& extension);
    void ExportDocument(faxdoc::DocumentFormat format);
    void Print(bool currentPageOnly);
    void PrinterSetup();
    // Gives the printer this window's file; its range is 1..page count the
    // first time and kept after that.
    void PreparePrinter();

    QString fileName_;
    QString title_;
    std::string printHeader_;
    std::string printTitle_;
    ExportNameAsker askExportName_;

    VlFaxViewer* viewer_ = nullptr;
    QActionGroup* zoomGroup_ = nullptr;
    QPushButton* navigation_[4] = {};
    QPushButton* print_ = nullptr;
    QPushButton* printerSetup_ = nullptr;
    QLabel* status_ = nullptr;

    int zoomStep_ = 100;
    bool firstActivationPending_ = true;
    // Errors while a file opens are told as the file failing to open.
    bool opening_ = false;
    int openError_ = 0;
    print::VlFaxPrinter printer_;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
