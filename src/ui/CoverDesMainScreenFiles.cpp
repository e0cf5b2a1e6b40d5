// The designer's file commands: new, open, save, save as, delete, the
// recent files, the default font, and giving up or keeping the changes.
#include <QFileDialog>
#include <QMenu>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "app/CoverTemplates.h"
#include "app/DesignerDefaultFont.h"
#include "base/ErrorCodes.h"
#include "base/FileBytes.h"
#include "base/MessageTable.h"
#include "cover/DescriptionFile.h"
#include "cover/TemplateFiles.h"
#include "cover/TemplateNames.h"
#include "ui/CoverDesMainScreen.h"
#include "ui/CoverDesignerTips.h"
#include "ui/FaxCoverPanel.h"
#include "ui/MessageBoxes.h"
#include "ui/PreviewQuickFaxForms.h"
#include "ui/SaveTemplateAs.h"
#include "ui/SessionFeedback.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// Fonts are stored for a screen of 96 pixels per inch, as the renderer
// reads them.
constexpr int kScreenDpi = 96;
// A design file of a full page is a few tens of kilobytes.
constexpr long kMaxDesignFile = 16L << 20;

std::string FileNameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

bool HasDesignExtension(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return extension == ".FCS";
}

std::tm Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm when{};
    localtime_r(&now, &when);
    return when;
}

}  // namespace

void CoverDesMainScreen::NewTemplate()
{
    path_.clear();
    description_.clear();
    busy_ = true;
    page_.Clear();
    busy_ = false;
    SetChanged(false);
    UpdateCaption();
}

void CoverDesMainScreen::OpenTemplate()
{
    const std::optional<std::string> chosen =
        PreviewQuickFaxForms::Choose(coversFolder_, FileNameOf(path_), this, {.extension = app::kDesignFileExtension});
    if (chosen)
        OpenFile(coversFolder_ + *chosen);
}

void CoverDesMainScreen::OpenFile(const std::string& path)
{
    busy_ = true;
    std::vector<std::uint8_t> bytes;
    int rc = base::ReadFileBytes(path, bytes, kMaxDesignFile, base::ecFaxBadFormat);
    int damage = base::ecOK;
    if (rc == base::ecOK) {
        damage = page_.Load(bytes);
        try {
            path_ = path;
            RememberFile(path);
        } catch (const std::exception&) {
            rc = base::ecCantWriteFile;
        }
    }
    if (rc != base::ecOK) {
        page_.Clear();
        path_.clear();
        description_.clear();
    }
    SetChanged(false);
    busy_ = false;
    ReadDescription();
    UpdateCaption();
    panel_->Refresh();
    if (rc != base::ecOK) {
        ShowInformation("Unable to open " + path + ". Possibly corrupted, possibly not a cover template file", this);
    } else if (damage != base::ecOK) {
        // What could be read is shown; saving it now would drop the rest.
        ShowInformation("Only part of " + path + " could be read: the file is damaged after the objects shown.",
                        this);
    }
}

void CoverDesMainScreen::ReadDescription()
{
    description_.clear();
    cover::TemplateFiles files;
    if (path_.empty() || cover::TemplateFilesOf(path_, files) != base::ecOK)
        return;
    std::optional<std::string> line;
    if (cover::ReadDescription(files.description, line) == base::ecOK && line)
        description_ = *line;
}

void CoverDesMainScreen::SaveTemplate()
{
    if (path_.empty()) {
        SessionFeedback::Beep();
        return;
    }
    WriteFiles(path_, cover::SavedTemplateDescription(path_));
}

void CoverDesMainScreen::SaveTemplateAs()
{
    const std::optional<cover::NamedTemplate> choice = vl::ui::SaveTemplateAs::Run(coversFolder_, path_, this);
    if (!choice)
        return;
    const std::string path = coversFolder_ + choice->name;
    WriteFiles(path, choice->description);
    path_ = path;
    RememberFile(path);
    SetChanged(false);
    UpdateCaption();
}

void CoverDesMainScreen::WriteFiles(const std::string& path, const std::string& description)
{
    cover::TemplateFiles files;
    int rc = cover::TemplateFilesOf(path, files);
    if (rc == base::ecOK) {
        busy_ = true;
        rc = page_.Save(files, description, kScreenDpi, Now());
        busy_ = false;
    }
    panel_->Refresh();
    if (rc != base::ecOK)
        throw std::runtime_error("Unable to save " + path + ": " + base::ErrorText(rc));
    description_ = description;
    SetChanged(false);
    UpdateCaption();
}

void CoverDesMainScreen::DeleteTemplate()
{
    const std::string path = askDelete_ ? askDelete_()
                                        : FromQt(QFileDialog::getOpenFileName(
                                              this, QStringLiteral("Delete Fax Cover Template File"),
                                              ToQt(coversFolder_), QStringLiteral("Fax Cover Template (*.FCS *.fcs)")));
    if (path.empty())
        return;
    if (!HasDesignExtension(path)) {
        ShowInformation("Must be a FCS (Fax Cover Template) file", this);
        return;
    }
    if (!AskYesNo("Delete " + path + "?", "CONFIRM", this))
        return;
    cover::TemplateFiles files;
    const int rc = cover::TemplateFilesOf(path, files) == base::ecOK ? cover::DeleteTemplate(files) : base::ecOK;
    // Missing files count as deleted; a file that stays is worth knowing.
    if (rc != base::ecOK)
        throw std::runtime_error("Not every file of " + path + " could be deleted: " + base::ErrorText(rc));
}

void CoverDesMainScreen::PreviewTemplates()
{
    PreviewQuickFaxForms::Choose(coversFolder_, FileNameOf(path_), this,
                                 {.extension = app::kDesignFileExtension, .lookOnly = true});
}

void CoverDesMainScreen::ChooseDefaultFont()
{
    const std::optional<cover::CoverFont> font = dialogs_.font(defaultFont_, true);
    if (!font)
        return;
    defaultFont_ = *font;
    defaultFontAction_->setText(ToQt(app::DesignerFontCaption(defaultFont_)));
    panel_->SetDefaultFont(defaultFont_);
    app::SaveDesignerFont(defaultFont_, iniFile_);
}

void CoverDesMainScreen::CancelChanges()
{
    if (!AskYesNo("Cancel all changes?", "CANCEL", this))
        return;
    busy_ = true;
    page_.Clear();
    busy_ = false;
    if (!path_.empty())
        OpenFile(path_);
    SetChanged(false);
}

void CoverDesMainScreen::AskToSaveChanges()
{
    if (!changed_ || !AskYesNo("Save changes?", "Save", this))
        return;
    if (path_.empty())
        SaveTemplateAs();
    else
        SaveTemplate();
}

void CoverDesMainScreen::OpenRecent(int index)
{
    if (index < 0 || index >= static_cast<int>(recent_.Files().size()))
        return;
    const std::string path = recent_.Files()[static_cast<std::size_t>(index)];
    recent_.Remove(path);
    UpdateRecentMenu();
    AskToSaveChanges();
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        OpenFile(path);
        return;
    }
    recent_.Store(iniFile_);
    ShowInformation(path + " no longer exists", this);
}

void CoverDesMainScreen::RememberFile(const std::string& path)
{
    recent_.Add(path);
    recent_.Store(iniFile_);
    UpdateRecentMenu();
}

void CoverDesMainScreen::UpdateRecentMenu()
{
    const QList<QAction*> actions = fileMenu_->actions();
    for (qsizetype i = actions.indexOf(recentSeparator_) + 1; i < actions.size(); ++i) {
        fileMenu_->removeAction(actions[i]);
        actions[i]->deleteLater();
    }
    for (std::size_t i = 0; i < recent_.Files().size(); ++i) {
        QAction* action = fileMenu_->addAction(ToQt(app::RecentFiles::MenuCaption(i, recent_.Files()[i])));
        connect(action, &QAction::triggered, this, guard_.Slot([this, i] { OpenRecent(static_cast<int>(i)); }));
    }
    recentSeparator_->setVisible(!recent_.Files().empty());
}

void CoverDesMainScreen::ShowTips()
{
    ShowInformation(CoverDesignerTips(), "Quick tips", this);
}

}  // namespace vl::ui
