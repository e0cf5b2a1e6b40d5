#include "ui/FaxViewer.h"

#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

#include "app/ProgramFolders.h"
#include "faxdoc/DocumentExport.h"
#include "faxdoc/PageExport.h"
#include "ui/DialogButtons.h"
#include "ui/FaxPrintRun.h"
#include "ui/HelpButton.h"
#include "ui/SessionFeedback.h"
#include "ui/ShowErrorForm.h"
#include "ui/VlFaxViewer.h"
#include "ui/WholeFaxExport.h"
#include "ui/WindowPlacement.h"

namespace vl::ui {

namespace {

constexpr const char* kErrorTitle = "Fax Viewer";
// Zoom steps and the share of the decoded size each shows: the decoded page
// is shown at step 100, which is why the menu calls it 200%.
constexpr std::array<int, 4> kZoomSteps{25, 50, 75, 100};

}  // namespace

FaxViewer::FaxViewer(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Fax Viewer "));
    setSizeGripEnabled(true);
    viewer_ = new VlFaxViewer(this);
    viewer_->setObjectName(QStringLiteral("Viewer"));
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(BuildMenus());
    layout->addLayout(BuildButtons());
    layout->addWidget(viewer_, 1);
    layout->addWidget(BuildStatusLine());
    connect(viewer_, &VlFaxViewer::PageChange, this, guard_.Slot([this] { PageChanged(); }));
    connect(viewer_, &VlFaxViewer::ViewerError, this,
            [this](int code) { guard_.Run([this, code] { ViewerFailed(code); }); });
    resize(760, 560);
    PageChanged();
}

QMenuBar* FaxViewer::BuildMenus()
{
    auto* bar = new QMenuBar(this);
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    zoomGroup_ = new QActionGroup(this);
    for (const int step : kZoomSteps) {
        const QString caption = QStringLiteral("%1%").arg(step * 2);
        QAction* action = AddChoice(*view, *zoomGroup_, caption, qPrintable(QStringLiteral("Zoom%1").arg(step * 2)));
        connect(action, &QAction::triggered, this, guard_.Slot([this, step] { SetZoom(step); }));
    }

    QMenu* rotation = bar->addMenu(QStringLiteral("&Rotation"));
    auto* rotationGroup = new QActionGroup(this);
    const std::array<QString, 4> turns{QStringLiteral("No rotation"), QStringLiteral("Rotate 90 degrees"),
                                       QStringLiteral("Rotate 180 degrees"), QStringLiteral("Rotate 270 degrees")};
    for (int turn = 0; turn < 4; ++turn) {
        const QString name = QStringLiteral("Rotate%1").arg(turn * 90);
        QAction* action = AddChoice(*rotation, *rotationGroup, turns[turn], qPrintable(name));
        connect(action, &QAction::triggered, this, guard_.Slot([this, turn] { viewer_->SetRotation(turn); }));
    }

    QMenu* exportMenu = bar->addMenu(QStringLiteral("&Export"));
    const std::array<std::pair<faxdoc::ExportFormat, QString>, 4> formats{
        {{faxdoc::ExportFormat::Bmp, QStringLiteral("BMP")},
         {faxdoc::ExportFormat::Pcx, QStringLiteral("PCX")},
         {faxdoc::ExportFormat::Dcx, QStringLiteral("DCX")},
         {faxdoc::ExportFormat::Png, QStringLiteral("PNG")}}};
    for (const auto& entry : formats) {
        const faxdoc::ExportFormat format = entry.first;
        const QString extension = entry.second;
        QAction* action = exportMenu->addAction(QStringLiteral("Export this page as %1 File").arg(extension));
        action->setObjectName(QStringLiteral("Export") + extension);
        connect(action, &QAction::triggered, this,
                guard_.Slot([this, format, extension] { ExportPage(format, extension); }));
    }
    exportMenu->addSeparator();
    const std::array<std::pair<faxdoc::DocumentFormat, QString>, 2> documents{
        {{faxdoc::DocumentFormat::Pdf, QStringLiteral("Export all pages as PDF Document")},
         {faxdoc::DocumentFormat::Tiff, QStringLiteral("Export all pages as TIFF Fax File")}}};
    for (const auto& entry : documents) {
        const faxdoc::DocumentFormat format = entry.first;
        QAction* action = exportMenu->addAction(entry.second);
        action->setObjectName(QStringLiteral("ExportAll") + ExtensionText(format));
        connect(action, &QAction::triggered, this, guard_.Slot([this, format] { ExportDocument(format); }));
    }
    return bar;
}

QAction* FaxViewer::AddChoice(QMenu& menu, QActionGroup& group, const QString& caption, const char* name)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(true);
    group.addAction(action);
    return action;
}

QLayout* FaxViewer::BuildButtons()
{
    auto* row = new QHBoxLayout;
    const std::array<std::pair<const char*, const char*>, 4> pages{{{"First page", "FirstPage"},
                                                                    {"Previous page", "PreviousPage"},
                                                                    {"Next page", "NextPage"},
                                                                    {"Last page", "LastPage"}}};
    const std::array<void (VlFaxViewer::*)(), 4> moves{&VlFaxViewer::FirstPage, &VlFaxViewer::PrevPage,
                                                       &VlFaxViewer::NextPage, &VlFaxViewer::LastPage};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        navigation_[i] = NamedButton(pages[i].first, pages[i].second);
        navigation_[i]->setVisible(false);
        connect(navigation_[i], &QPushButton::clicked, this,
                guard_.Slot([this, move = moves[i]] { (viewer_->*move)(); }));
        row->addWidget(navigation_[i]);
    }
    QPushButton* zoomIn = NamedButton("Zoom in", "ZoomIn");
    QPushButton* zoomOut = NamedButton("Zoom out", "ZoomOut");
    connect(zoomIn, &QPushButton::clicked, this, guard_.Slot([this] { ZoomBy(1); }));
    connect(zoomOut, &QPushButton::clicked, this, guard_.Slot([this] { ZoomBy(-1); }));
    print_ = NamedButton("Print", "Print");
    QPushButton* printPage = NamedButton("Print current page", "PrintCurrentPage");
    printerSetup_ = NamedButton("Printer setup", "PrinterSetup");
    connect(print_, &QPushButton::clicked, this, guard_.Slot([this] { Print(false); }));
    connect(printPage, &QPushButton::clicked, this, guard_.Slot([this] { Print(true); }));
    connect(printerSetup_, &QPushButton::clicked, this, guard_.Slot([this] { PrinterSetup(); }));
    const bool canPrint = PrinterAvailable();
    print_->setEnabled(canPrint);
    printerSetup_->setEnabled(canPrint);
    QPushButton* close = NamedButton("C&lose", "Close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton* button : {zoomIn, zoomOut, print_, printPage, printerSetup_})
        row->addWidget(button);
    row->addStretch(1);
    row->addWidget(close);
    row->addWidget(HelpButton(QStringLiteral("&Help"), app::HelpTopic::FaxViewer, this));
    // Keys belong to the page: Enter presses no button, and a click leaves
    // the focus on the page.
    for (int i = 0; i < row->count(); ++i) {
        if (auto* button = qobject_cast<QPushButton*>(row->itemAt(i)->widget())) {
            button->setAutoDefault(false);
            button->setFocusPolicy(Qt::NoFocus);
        }
    }
    return row;
}

QWidget* FaxViewer::BuildStatusLine()
{
    auto* bar = new QStatusBar(this);
    bar->setSizeGripEnabled(false);
    status_ = new QLabel(bar);
    status_->setObjectName(QStringLiteral("StatusLine"));
    bar->addWidget(status_, 1);
    return bar;
}

void FaxViewer::View(const QString& fileName, const QString& title, const std::string& printHeader,
                     const std::string& printTitle, QWidget* mainWindow)
{
    FaxViewer viewer(mainWindow);
    viewer.SetFileName(fileName);
    viewer.SetTitle(title);
    viewer.SetPrintHeader(printHeader);
    viewer.SetPrintTitle(printTitle);
    viewer.exec();
}

void FaxViewer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (firstActivationPending_)
        QTimer::singleShot(0, this, guard_.Slot([this] { FirstActivation(); }));
}

void FaxViewer::FirstActivation()
{
    if (!firstActivationPending_)
        return;
    firstActivationPending_ = false;
    RestorePlacement(*this, app::SettingsFileName(), parentWidget());
    LoadFile();
    // The keys page and scroll, once the buttons shown for the file are up.
    viewer_->setFocus();
}

void FaxViewer::done(int result)
{
    // A window closed before it was placed keeps the stored place.
    if (!firstActivationPending_)
        guard_.Run([this] { SavePlacement(*this, app::SettingsFileName()); });
    QDialog::done(result);
}

void FaxViewer::LoadFile()
{
    // The start step is chosen from the page at its decoded size.
    SetZoom(100);
    opening_ = true;
    openError_ = 0;
    viewer_->SetFileName(fileName_);
    opening_ = false;
    if (openError_ != 0 || viewer_->PageCount() == 0) {
        viewer_->SetFileName({});
        PageChanged();
        ShowErrorForm::Show(kErrorTitle, "Error opening fax file", false, this);
        return;
    }
    SetZoom(StartStep());
}

void FaxViewer::ViewerFailed(int code)
{
    if (opening_) {
        openError_ = code;
        return;
    }
    PageChanged();
    ShowErrorForm::Show(kErrorTitle, "Viewer error " + std::to_string(code), false, this);
}

void FaxViewer::PageChanged()
{
    const int count = viewer_->PageCount();
    for (QPushButton* button : navigation_)
        button->setVisible(count > 1);
    if (count == 0) {
        status_->setText(QStringLiteral("No file loaded"));
        return;
    }
    const QString pages = QStringLiteral("Page %1 of %2").arg(viewer_->CurrentPage()).arg(count);
    status_->setText(title_.isEmpty() ? pages : title_ + QStringLiteral(": ") + pages);
}

void FaxViewer::SetZoom(int step)
{
    zoomStep_ = step;
    viewer_->BeginUpdate();
    viewer_->SetScaling(step != 100);
    if (step != 100)
        viewer_->SetScaleFactors(step, 100, step, 100);
    viewer_->EndUpdate();
    const auto at = std::find(kZoomSteps.begin(), kZoomSteps.end(), step);
    zoomGroup_->actions().at(static_cast<int>(at - kZoomSteps.begin()))->setChecked(true);
}

void FaxViewer::ZoomBy(int direction)
{
    const auto next = std::find(kZoomSteps.begin(), kZoomSteps.end(), zoomStep_) - kZoomSteps.begin() + direction;
    if (next < 0 || next >= std::ssize(kZoomSteps)) {
        SessionFeedback::Beep();
        return;
    }
    SetZoom(kZoomSteps[static_cast<std::size_t>(next)]);
}

int FaxViewer::StartStep() const
{
    const int width = viewer_->width();
    const int pageWidth = viewer_->PageWidth();
    const int share = width < pageWidth ? static_cast<int>(static_cast<double>(width) / pageWidth * 150) : 50;
    return share > 36 ? 50 : 25;
}

}  // namespace vl::ui
