// "Phone Book Browser": the phone book's entries in name order, with adding,
// changing and deleting them, and a search box that finds a name as it is
// typed. In its pick layout the window hands one entry back to its caller.
#pragma once

#include <QAbstractItemView>
#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/CommandGuard.h"

class QLineEdit;
class QMenuBar;
class QPushButton;
class QTableView;

namespace vl::app {
class PhoneBookList;
}

namespace vl::ui {

class PhoneBookModel;

class PhoneBook : public QDialog {
    Q_OBJECT

public:
    enum class Layout { Browse, Pick };
    struct Entry {
        std::string name, phone;
    };

    // Opens the phone book of the program folder; throws EStoreError when
    // it cannot, and the window is then never shown.
    PhoneBook(Layout layout, const std::string& programFolder, QWidget* parent = nullptr);
    ~PhoneBook() override;

    // The browse layout over the main window.
    static void Browse(QWidget* mainWindow);
    // The pick layout over `owner`; the chosen entry, nothing on Cancel.
    static std::optional<Entry> Pick(QWidget* owner);

    // What "&Accept" took.
    const Entry& Picked() const { return picked_; }
    int CurrentRow() const;

    // The buttons' commands. Edit, Delete and Accept only beep on an empty
    // book, however they are reached.
    void NewEntry();
    void EditEntry();
    void DeleteEntry();
    void AcceptEntry();

    // The File menu: entries brought in from another program's CSV or
    // vCard file, or the whole book handed out as one. The file is asked
    // through `asker` when set (tests), else the file dialogs.
    using FileAsker = std::function<QString(bool forSaving)>;
    void SetFileAsker(FileAsker asker) { askFile_ = std::move(asker); }
    void ImportEntries();
    void ExportEntries();

protected:
    void changeEvent(QEvent* event) override;
    // Letters typed on the grid go to the search box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar* BuildMenu();
    QString AskFile(bool forSaving);
    QLayout* BuildSearch();
    QTableView* BuildGrid();
    QLayout* BuildButtons(Layout layout);
    QPushButton* AddButton(QLayout* column, const char* caption, const char* name, void (PhoneBook::*command)());
    void Reload(int row);
    void Select(int row, QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible);
    void Search(const QString& typed);
    void UpdateButtons();

    std::string programFolder_;
    std::unique_ptr<app::PhoneBookList> list_;
    PhoneBookModel* model_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* accept_ = nullptr;
    Entry picked_;
    FileAsker askFile_;
    CommandGuard guard_{*this, [this] { Reload(CurrentRow()); }};
};

}  // namespace vl::ui
