#include "ui/DialogButtons.h"

#include "ui/MessageBoxes.h"

namespace vl::ui {

QDialogButtonBox* DialogButtons(QDialog& dialog, QDialogButtonBox::StandardButtons buttons)
{
    auto* box = new QDialogButtonBox(buttons);
    QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return box;
}

bool ExecCentred(QDialog& dialog, QWidget* mainWindow)
{
    CenterDialog(dialog, mainWindow);
    return dialog.exec() == QDialog::Accepted;
}

QPushButton* LaterButton(const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setEnabled(false);
    button->setToolTip(hint + " (not available in this version yet)");
    return button;
}

}  // namespace vl::ui
