#include "ui/CoverDesMainScreen.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <filesystem>

#include "app/DesignerDefaultFont.h"
#include "app/ProgramFolders.h"
#include "ui/CoverToolIcons.h"
#include "ui/DialogButtons.h"
#include "ui/FaxCoverPanel.h"
#include "ui/HelpButton.h"
#include "ui/MessageBoxes.h"
#include "ui/SessionFeedback.h"
#include "ui/UiText.h"
#include "ui/WindowPlacement.h"

namespace vl::ui {

namespace {

const std::string kCaption = "Cover Sheet Template Designer";
constexpr int kRecentFiles = 5;
constexpr const char* kRecentSection = "CDMRU";

struct ToolButton {
    cover::PanelState tool;
    const char* name;
    const char* hint;
};

constexpr std::array<ToolButton, 10> kTools = {{
    {cover::PanelState::Pointing, "Pointer", "Select, move and resize objects"},
    {cover::PanelState::Label, "TextTool", "Text"},
    {cover::PanelState::SymbolLabel, "SymbolTool", "Symbol"},
    {cover::PanelState::Rectangle, "RectangleTool", "Rectangle"},
    {cover::PanelState::Ellipse, "EllipseTool", "Ellipse"},
    {cover::PanelState::RoundRectangle, "RoundRectangleTool", "Rounded rectangle"},
    {cover::PanelState::Line, "LineTool", "Line"},
    {cover::PanelState::Message, "MessageTool", "Message box: the fax's message goes here"},
    {cover::PanelState::Importance, "ImportanceTool", "Importance boxes: Urgent, For Review, ..."},
    {cover::PanelState::Field, "FieldTool", "Field box: date, recipient, sender, ..."},
}};

}  // namespace

CoverDesMainScreen::CoverDesMainScreen(std::string coversFolder, std::string iniFile, std::string programFolder,
                                       QWidget* parent)
    : QDialog(parent),
      coversFolder_(std::move(coversFolder)),
      iniFile_(std::move(iniFile)),
      clipboardFile_(programFolder + "Clipbrd.tmp"),
      recent_(kRecentFiles, kRecentSection)
{
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    defaultFont_ = app::LoadDesignerFont(iniFile_);
    recent_.Load(iniFile_);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(BuildMenu());
    layout->addWidget(BuildTools());
    layout->addWidget(BuildPage(), 1);
    layout->addLayout(BuildButtons());
    page_.SetChangeEvent([this] { PageChanged(); });

    UpdateRecentMenu();
    UpdateUndo();
    UpdateCaption();
    SetChanged(false);
    resize(900, 760);
}

CoverDesMainScreen::~CoverDesMainScreen() = default;

void CoverDesMainScreen::Run(QWidget* mainWindow)
{
    CoverDesMainScreen designer(app::CoversFolder(), app::SettingsFileName(), app::ProgramFolder(), mainWindow);
    designer.exec();
}

QMenuBar* CoverDesMainScreen::BuildMenu()
{
    auto* bar = new QMenuBar(this);
    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    auto add = [this](const char* text, void (CoverDesMainScreen::*command)(), const QKeySequence& keys = {}) {
        QAction* action = fileMenu_->addAction(QString::fromUtf8(text));
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, guard_.Slot([this, command] { (this->*command)(); }));
        return action;
    };
    add("&New", &CoverDesMainScreen::NewTemplate);
    add("&Open", &CoverDesMainScreen::OpenTemplate);
    add("&Delete", &CoverDesMainScreen::DeleteTemplate);
    saveAction_ = add("Save", &CoverDesMainScreen::SaveTemplate, QKeySequence(QStringLiteral("Ctrl+S")));
    add("Save &As...", &CoverDesMainScreen::SaveTemplateAs);
    add("Preview Saved Templates", &CoverDesMainScreen::PreviewTemplates);
    defaultFontAction_ = add("&Default Font - ", &CoverDesMainScreen::ChooseDefaultFont);
    defaultFontAction_->setText(ToQt(app::DesignerFontCaption(defaultFont_)));
    add("E&xit", &CoverDesMainScreen::ExitClicked);
    recentSeparator_ = fileMenu_->addSeparator();

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    undoAction_ = edit->addAction(QStringLiteral("&Undo"));
    undoAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    connect(undoAction_, &QAction::triggered, this, guard_.Slot([this] { Undo(); }));
    redoAction_ = edit->addAction(QStringLiteral("&Redo"));
    redoAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    connect(redoAction_, &QAction::triggered, this, guard_.Slot([this] { Redo(); }));
    return bar;
}

QAction* CoverDesMainScreen::AddTool(QToolBar* bar, cover::PanelState tool, const char* name, const char* hint)
{
    QAction* action = bar->addAction(CoverToolIcon(tool), QString::fromUtf8(hint));
    action->setObjectName(QString::fromUtf8(name));
    action->setCheckable(true);
    tools_->addAction(action);
    connect(action, &QAction::triggered, this, guard_.Slot([this, tool] { SetTool(tool); }));
    return action;
}

QToolBar* CoverDesMainScreen::BuildTools()
{
    auto* bar = new QToolBar;
    tools_ = new QActionGroup(this);
    tools_->setExclusive(true);
    for (const ToolButton& button : kTools) AddTool(bar, button.tool, button.name, button.hint);
    tools_->actions().front()->setChecked(true);
    bar->addSeparator();

    QAction* grid = bar->addAction(QStringLiteral("Grid"));
    grid->setObjectName(QStringLiteral("ShowGrid"));
    grid->setToolTip(QStringLiteral("Show grid toggle"));
    grid->setCheckable(true);
    connect(grid, &QAction::toggled, this, guard_.Slot([this, grid] { panel_->SetShowGrid(grid->isChecked()); }));
    QAction* snap = bar->addAction(QStringLiteral("Snap"));
    snap->setObjectName(QStringLiteral("SnapToGrid"));
    snap->setToolTip(QStringLiteral("Snap to Grid toggle"));
    snap->setCheckable(true);
    connect(snap, &QAction::toggled, this, guard_.Slot([this, snap] { panel_->SetSnapToGrid(snap->isChecked()); }));
    bar->addSeparator();

    auto* zoomIn = new QToolButton;
    zoomIn->setObjectName(QStringLiteral("ZoomIn"));
    zoomIn->setArrowType(Qt::UpArrow);
    zoomIn->setToolTip(QStringLiteral("Zoom in"));
    connect(zoomIn, &QToolButton::clicked, this, guard_.Slot([this] { ZoomIn(); }));
    auto* zoomOut = new QToolButton;
    zoomOut->setObjectName(QStringLiteral("ZoomOut"));
    zoomOut->setArrowType(Qt::DownArrow);
    zoomOut->setToolTip(QStringLiteral("Zoom out"));
    connect(zoomOut, &QToolButton::clicked, this, guard_.Slot([this] { ZoomOut(); }));
    zoomLabel_ = new QLabel(ToQt(page_.ZoomLabel()));
    zoomLabel_->setObjectName(QStringLiteral("ZoomLabel"));
    zoomLabel_->setMinimumWidth(zoomLabel_->fontMetrics().horizontalAdvance(QStringLiteral("8888%")));
    bar->addWidget(zoomIn);
    bar->addWidget(zoomOut);
    bar->addWidget(zoomLabel_);
    return bar;
}

QScrollArea* CoverDesMainScreen::BuildPage()
{
    panel_ = new FaxCoverPanel(page_, clipboardFile_);
    panel_->setObjectName(QStringLiteral("Page"));
    panel_->SetDefaultFont(defaultFont_);
    dialogs_ = StandardCoverDialogs(*this);
    panel_->Commands().SetDialogs(dialogs_);
    connect(panel_, &FaxCoverPanel::ObjectDropped, this,
            [this](cover::GraphicControl* object) { guard_.Run([this, object] { ObjectDropped(object); }); });
    connect(panel_, &FaxCoverPanel::WindowKeyPressed, this,
            [this](FaxCoverPanel::WindowKey key) { guard_.Run([this, key] { WindowKey(key); }); });
    scroll_ = new QScrollArea;
    scroll_->setWidget(panel_);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    return scroll_;
}

QLayout* CoverDesMainScreen::BuildButtons()
{
    cancelButton_ = NamedButton("&Cancel", "Cancel");
    connect(cancelButton_, &QPushButton::clicked, this, guard_.Slot([this] { CancelChanges(); }));
    saveButton_ = NamedButton("&Save", "Save");
    connect(saveButton_, &QPushButton::clicked, this, guard_.Slot([this] {
        if (path_.empty())
            SaveTemplateAs();
        else
            SaveTemplate();
    }));
    QPushButton* help = HelpButton(QStringLiteral("Help"), app::HelpTopic::CoverDesigner, this);
    QPushButton* exit = NamedButton("E&xit", "Exit");
    connect(exit, &QPushButton::clicked, this, guard_.Slot([this] { ExitClicked(); }));
    QPushButton* tips = NamedButton("Quick tips", "QuickTips");
    connect(tips, &QPushButton::clicked, this, guard_.Slot([this] { ShowTips(); }));
    for (QPushButton* button : {cancelButton_, saveButton_, help, exit, tips}) button->setAutoDefault(false);
    return RightAlignedRow({cancelButton_, saveButton_, help, exit, tips});
}

void CoverDesMainScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (firstActivationPending_)
        QTimer::singleShot(0, this, guard_.Slot([this] { FirstActivation(); }));
}

void CoverDesMainScreen::FirstActivation()
{
    if (!firstActivationPending_)
        return;
    firstActivationPending_ = false;
    RestorePlacement(*this, iniFile_, parentWidget());
    // The page is hidden while the last template opens, so it is not seen
    // drawn object by object.
    panel_->hide();
    std::error_code ec;
    if (!recent_.Files().empty() && std::filesystem::is_regular_file(recent_.Files().front(), ec))
        OpenFile(recent_.Files().front());
    SetChanged(false);
    panel_->show();
    panel_->setFocus();
}

void CoverDesMainScreen::PageChanged()
{
    panel_->Refresh();
    UpdateUndo();
    if (!busy_)
        SetChanged(true);
}

void CoverDesMainScreen::SetChanged(bool changed)
{
    changed_ = changed;
    cancelButton_->setVisible(changed);
    saveButton_->setVisible(changed);
    saveButton_->setText(path_.empty() ? QStringLiteral("&Save As") : QStringLiteral("&Save"));
    saveAction_->setEnabled(!path_.empty());
}

void CoverDesMainScreen::UpdateCaption()
{
    setWindowTitle(ToQt(description_.empty() ? kCaption : kCaption + " - " + description_));
}

void CoverDesMainScreen::UpdateUndo()
{
    undoAction_->setEnabled(page_.CanUndo());
    redoAction_->setEnabled(page_.CanRedo());
}

void CoverDesMainScreen::SetTool(cover::PanelState tool)
{
    panel_->SetPanelState(tool);
    tools_->actions().at(static_cast<int>(tool))->setChecked(true);
}

void CoverDesMainScreen::SetDialogs(const CoverDialogs& dialogs)
{
    dialogs_ = dialogs;
    panel_->Commands().SetDialogs(dialogs);
}

void CoverDesMainScreen::ObjectDropped(cover::GraphicControl* object)
{
    // The tool did its work; the next press selects again.
    SetTool(cover::PanelState::Pointing);
    // A cancelled dialog keeps the object with its default text.
    if (object->Kind() == cover::RecordKind::Label)
        panel_->Commands().EditText(*object);
    else if (object->Kind() == cover::RecordKind::Symbol)
        panel_->Commands().ChooseSymbol(*object);
}

void CoverDesMainScreen::ZoomIn()
{
    if (page_.ZoomIn())
        zoomLabel_->setText(ToQt(page_.ZoomLabel()));
    panel_->Refresh();
}

void CoverDesMainScreen::ZoomOut()
{
    if (page_.ZoomOut())
        zoomLabel_->setText(ToQt(page_.ZoomLabel()));
    panel_->Refresh();
}

void CoverDesMainScreen::Undo()
{
    if (!page_.Undo())
        SessionFeedback::Beep();
}

void CoverDesMainScreen::Redo()
{
    if (!page_.Redo())
        SessionFeedback::Beep();
}

// Page Up and Down scroll one line, Home and End to the top and bottom; the
// keypad's plus and minus zoom.
void CoverDesMainScreen::WindowKey(FaxCoverPanel::WindowKey key)
{
    QScrollBar* bar = scroll_->verticalScrollBar();
    switch (key) {
        case FaxCoverPanel::WindowKey::LineUp: bar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
        case FaxCoverPanel::WindowKey::LineDown: bar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
        case FaxCoverPanel::WindowKey::Top: bar->setValue(bar->minimum()); break;
        case FaxCoverPanel::WindowKey::Bottom: bar->setValue(bar->maximum()); break;
        case FaxCoverPanel::WindowKey::ZoomIn: ZoomIn(); break;
        case FaxCoverPanel::WindowKey::ZoomOut: ZoomOut(); break;
    }
}

void CoverDesMainScreen::ExitClicked()
{
    close();
}

// The title bar's close and Escape come here too.
void CoverDesMainScreen::reject()
{
    // The changes count as handled even when a needed Save As is cancelled.
    guard_.Run([this] { AskToSaveChanges(); });
    QDialog::reject();
}

void CoverDesMainScreen::done(int result)
{
    guard_.Run([this] {
        app::SaveDesignerFont(defaultFont_, iniFile_);
        // A window closed before it was placed keeps the stored place.
        if (!firstActivationPending_)
            SavePlacement(*this, iniFile_);
    });
    std::error_code ec;
    std::filesystem::remove(clipboardFile_, ec);
    QDialog::done(result);
}

}  // namespace vl::ui
