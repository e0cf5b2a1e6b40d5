#include "ui/FaxEditor.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FaxListTexts.h"
#include "ui/DialogButtons.h"
#include "ui/PhoneBook.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

QLineEdit* Field(const char* name, int maxLength)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setMaxLength(maxLength);
    return edit;
}

}  // namespace

FaxEditor::FaxEditor(QWidget* parent)
    : QDialog(parent)
    , recipient_(Field("recipient", 35))
    , phone_(Field("phone", 25))
    , subject_(Field("subject", 50))
    , notes_(Field("notes", 50))
    , codes_(Field("codes", 25))
{
    setWindowTitle(ToQt(app::kFaxInfoEditorCaption));

    auto* phoneBook = new QPushButton(QStringLiteral("&Phonebook"));
    phoneBook->setObjectName(QStringLiteral("phonebook"));
    phoneBook->setToolTip(QStringLiteral("Pick the recipient from the phone book"));
    phoneBook->setAutoDefault(false);
    connect(phoneBook, &QPushButton::clicked, this, guard_.Slot([this] { PhoneBookClicked(); }));
    auto* recipientRow = new QHBoxLayout;
    recipientRow->addWidget(recipient_, 1);
    recipientRow->addWidget(phoneBook);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Recipient"), recipientRow);
    form->addRow(QStringLiteral("Recipient &Fax#"), phone_);
    form->addRow(QStringLiteral("Re&garding"), subject_);
    form->addRow(QStringLiteral("&Notes"), notes_);
    form->addRow(QStringLiteral("&Codes"), codes_);
    // The buddy of a row whose field sits in a layout is not set by addRow.
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(recipientRow)))
        label->setBuddy(recipient_);

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    recipient_->setFocus();
}

void FaxEditor::PhoneBookClicked()
{
    if (const auto entry = PhoneBook::Pick(this)) {
        recipient_->setText(ToQt(entry->name));
        phone_->setText(ToQt(entry->phone));
    }
}

void FaxEditor::SetCaption(const std::string& caption) { setWindowTitle(ToQt(caption)); }

void FaxEditor::SetFields(const app::FaxInfo& fields)
{
    recipient_->setText(ToQt(fields.recipient));
    phone_->setText(ToQt(fields.phone));
    subject_->setText(ToQt(fields.subject));
    notes_->setText(ToQt(fields.notes));
    codes_->setText(ToQt(fields.codes));
}

app::FaxInfo FaxEditor::Fields() const
{
    return {FromQt(recipient_->text()), FromQt(phone_->text()), FromQt(subject_->text()),
            FromQt(notes_->text()), FromQt(codes_->text())};
}

bool FaxEditor::Edit(const std::string& caption, app::FaxInfo& fields, QWidget* mainWindow)
{
    FaxEditor editor(mainWindow);
    if (!caption.empty())
        editor.SetCaption(caption);
    editor.SetFields(fields);
    if (!ExecCentred(editor, mainWindow))
        return false;
    fields = editor.Fields();
    return true;
}

}  // namespace vl::ui
