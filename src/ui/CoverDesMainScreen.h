// "Cover Sheet Template Designer": the window in which the user draws cover
// templates on the design page with the tools, menus and keys, and opens,
// saves and deletes them in the covers folder.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "app/RecentFiles.h"
#include "cover/CoverFont.h"
#include "cover/DesignPage.h"
#include "ui/CommandGuard.h"
#include "ui/CoverDialogs.h"
#include "ui/FaxCoverPanel.h"

class QAction;
class QActionGroup;
class QLabel;
class QLayout;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QToolBar;

namespace vl::ui {

class CoverDesMainScreen : public QDialog {
    Q_OBJECT

public:
    // Templates are kept in `coversFolder`; the settings (default font,
    // recent files, placement) in `iniFile`; the private clipboard is
    // "Clipbrd.tmp" in `programFolder`.
    CoverDesMainScreen(std::string coversFolder, std::string iniFile, std::string programFolder,
                       QWidget* parent = nullptr);
    ~CoverDesMainScreen() override;

    // Runs the designer over the main window.
    static void Run(QWidget* mainWindow);

    cover::DesignPage& Page() { return page_; }
    FaxCoverPanel& Panel() { return *panel_; }
    const std::string& FileName() const { return path_; }
    bool ChangesMade() const { return changed_; }
    const cover::CoverFont& DefaultFont() const { return defaultFont_; }

    // The menu commands.
    void NewTemplate();
    void OpenTemplate();
    void OpenFile(const std::string& path);
    void SaveTemplate();
    void SaveTemplateAs();
    void DeleteTemplate();
    void PreviewTemplates();
    void ChooseDefaultFont();
    void CancelChanges();
    void OpenRecent(int index);
    void SetTool(cover::PanelState tool);
    void ZoomIn();
    void ZoomOut();
    void Undo();
    void Redo();

    // The dialogs the commands open, replaceable for tests: the file to
    // delete (empty: cancelled).
    using DeleteAsker = std::function<std::string()>;
    void SetDeleteAsker(DeleteAsker asker) { askDelete_ = std::move(asker); }
    // The font, text and symbol dialogs of the window and its page.
    void SetDialogs(const CoverDialogs& dialogs);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;
    void done(int result) override;

private:
    QMenuBar* BuildMenu();
    QToolBar* BuildTools();
    QScrollArea* BuildPage();
    QLayout* BuildButtons();
    QAction* AddTool(QToolBar* bar, cover::PanelState tool, const char* name, const char* hint);

    void FirstActivation();
    void PageChanged();
    void SetChanged(bool changed);
    void UpdateCaption();
    void UpdateRecentMenu();
    void UpdateUndo();
    void ObjectDropped(cover::GraphicControl* object);
    void WindowKey(FaxCoverPanel::WindowKey key);
    void ExitClicked();
    // "Save changes?" before the page is given up, and the save on Yes.
    void AskToSaveChanges();
    void WriteFiles(const std::string& path, const std::string& description);
    void ReadDescription();
    void RememberFile(const std::string& path);
    void ShowTips();

    std::string coversFolder_;
    std::string iniFile_;
    std::string clipboardFile_;
    cover::DesignPage page_;
    app::RecentFiles recent_;
    cover::CoverFont defaultFont_;
    std::string path_;
    std::string description_;
    bool changed_ = false;
    bool busy_ = false;
    bool firstActivationPending_ = true;

    FaxCoverPanel* panel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QActionGroup* tools_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* defaultFontAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    DeleteAsker askDelete_;
    CoverDialogs dialogs_;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
