// The main window's export of a listed fax, every page as one PDF or TIFF
// document, from the context menu of either list.
#include <QMenu>
#include <QTableView>

#include <array>
#include <utility>

#include "app/FaxListTexts.h"
#include "faxdoc/DocumentExport.h"
#include "ui/MainScreen.h"
#include "ui/WholeFaxExport.h"

namespace vl::ui {

void MainScreen::BuildListMenu()
{
    listMenu_ = new QMenu(this);
    listMenu_->setObjectName(QStringLiteral("ListMenu"));
    const std::array<std::pair<faxdoc::DocumentFormat, QString>, 2> entries{
        {{faxdoc::DocumentFormat::Pdf, QStringLiteral("Export as PDF...")},
         {faxdoc::DocumentFormat::Tiff, QStringLiteral("Export as TIFF...")}}};
    for (const auto& entry : entries) {
        const faxdoc::DocumentFormat format = entry.first;
        QAction* action = listMenu_->addAction(entry.second);
        action->setObjectName(QStringLiteral("Export") + ExtensionText(format));
        connect(action, &QAction::triggered, this, guard_.Slot([this, format] { ExportClicked(format); }));
    }
}

void MainScreen::ListMenuRequested(app::FaxPage page, const QPoint& position)
{
    QTableView* view = List(page);
    const QModelIndex index = view->indexAt(position);
    if (!index.isValid())
        return;
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // An export needs what viewing needs: a fax file to read.
    for (QAction* action : listMenu_->actions())
        action->setEnabled(Action(Command::View)->isEnabled());
    listMenu_->popup(view->viewport()->mapToGlobal(position));
}

void MainScreen::ExportClicked(faxdoc::DocumentFormat format)
{
    const QString chosen = AskExportName(askExportName_, this, ExtensionText(format));
    if (chosen.isEmpty())
        return;
    WithCurrentFax(app::kPreparingExport, [this, format, &chosen](const app::FaxOperations::ShownFax& shown) {
        feedback_.SetBusyCursor(true);
        ExportWholeFax(shown.file, format, chosen);
    });
}

}  // namespace vl::ui
