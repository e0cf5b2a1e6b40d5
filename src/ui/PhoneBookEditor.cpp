#include "ui/PhoneBookEditor.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"
#include "ui/HelpButton.h"
#include "ui/LimitedField.h"
#include "ui/UiText.h"

namespace vl::ui {

PhoneBookEditor::PhoneBookEditor(QWidget* parent)
    : QDialog(parent), name_(LimitedField("Name", "", 35)), number_(LimitedField("Number", "", 25))
{
    setWindowTitle(QStringLiteral("Phone Book Editor"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Fax Number"), number_);

    auto* accept = NamedButton("&Accept", "Accept");
    accept->setDefault(true);
    auto* cancel = NamedButton("Cance&l", "Cancel");
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QHBoxLayout* buttons = RightAlignedRow({accept, cancel});
    buttons->insertWidget(0, HelpButton(QStringLiteral("&Help"), app::HelpTopic::PhoneBookEditor, this));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    name_->setFocus();
}

bool PhoneBookEditor::Edit(std::string& name, std::string& number, QWidget* owner)
{
    PhoneBookEditor editor(owner);
    editor.name_->setText(ToQt(name));
    editor.number_->setText(ToQt(number));
    if (!ExecCentred(editor, owner))
        return false;
    name = FromQt(editor.name_->text());
    number = FromQt(editor.number_->text());
    return true;
}

}  // namespace vl::ui
