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

QPushButton* NamedButton(const char* caption, const char* name)
{
    auto* button = new QPushButton(QString::fromUtf8(caption));
    button->setObjectName(QLatin1String(name));
    return button;
}

QHBoxLayout* RightAlignedRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

}  // namespace vl::ui
