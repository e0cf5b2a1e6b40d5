#include "ui/ExportNameAsker.h"

#include <QFileDialog>

namespace vl::ui {

QString AskExportName(const ExportNameAsker& asker, QWidget* parent, const QString& extension)
{
    // The names on disk may be in either case.
    const QString filter = QStringLiteral("%1 File (*.%1 *.%2)").arg(extension, extension.toLower());
    const QString proposed = QStringLiteral("*.") + extension;
    if (asker)
        return asker(filter, proposed);
    QFileDialog dialog(parent, QStringLiteral("Save As"), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(proposed);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        return dialog.selectedFiles().first();
    return QString();
}

}  // namespace vl::ui
