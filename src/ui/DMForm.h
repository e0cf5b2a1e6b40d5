// "Fax Log Cleanup Utility": both fax tables with archived faxes shown, and
// the ways to delete many faxes at once together with their files. It works
// on the main window's own tables; their filters come back when it closes.
#pragma once

#include <QDialog>

#include <array>
#include <map>
#include <string>

#include "app/CleanupItems.h"
#include "app/FaxLists.h"
#include "app/FaxLogCleanup.h"
#include "ui/CommandGuard.h"

class QAction;
class QMenu;
class QTabWidget;
class QTableView;

namespace vl::ui {

class FaxListModel;

class DMForm : public QDialog {
    Q_OBJECT

public:
    explicit DMForm(app::FaxLists& lists, QWidget* parent = nullptr);
    ~DMForm() override;

    // Something was deleted: the main window rebuilds the indexes.
    bool DeletedAnything() const { return cleanup_.DeletedAnything(); }
    store::CleanupPage Page() const;
    void SetPage(store::CleanupPage page);
    QTableView* List(store::CleanupPage page) const { return views_[Index(page)]; }
    QAction* Item(app::CleanupItem item) const { return items_.at(item); }
    QMenu* Actions() const { return actions_; }
    QString TabText(store::CleanupPage page) const;

    // Shows the window modally over the main window; true when it deleted
    // anything.
    static bool Run(app::FaxLists& lists, QWidget* mainWindow);

protected:
    void done(int result) override;

private:
    static int Index(store::CleanupPage page) { return page == store::CleanupPage::Outgoing ? 0 : 1; }
    store::Table& TableOf(store::CleanupPage page);

    void RemoveFilters();
    void RestoreFilters();
    QWidget* BuildMenus();
    QWidget* BuildPages();
    QWidget* BuildList(store::CleanupPage page);
    QLayout* BuildButtons();

    // The list as its table holds it now, on the table's current record.
    void Reload(store::CleanupPage page);
    void UpdateState();
    void ItemChosen(app::CleanupItem item);
    // The question for the item on the visible page; the condition to delete
    // by when the user goes on, empty when not.
    std::string ConditionFor(app::CleanupItem item, store::CleanupPage page);
    void DeleteCurrent(store::CleanupPage page);
    void DeleteWhere(store::CleanupPage page, const std::string& condition);

    app::FaxLists& lists_;
    app::FaxLogCleanup cleanup_;
    std::array<std::string, 2> filters_;
    bool filtersRemoved_ = false;
    QMenu* actions_ = nullptr;
    QMenu* popup_ = nullptr;
    std::map<app::CleanupItem, QAction*> items_;
    QTabWidget* tabs_ = nullptr;
    std::array<QTableView*, 2> views_{};
    std::array<FaxListModel*, 2> models_{};
    CommandGuard guard_{*this, [this] {
        Reload(store::CleanupPage::Outgoing);
        Reload(store::CleanupPage::Incoming);
    }};
};

}  // namespace vl::ui
