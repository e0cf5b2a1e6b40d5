#include "ui/CreateEditQuickFax.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/TextFiles.h"
#include "ui/DialogButtons.h"
#include "ui/GetSenderInfo.h"
#include "ui/HelpButton.h"
#include "ui/MessageBoxes.h"
#include "ui/PhoneBook.h"
#include "ui/PreviewQuickFaxForms.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr std::array<const char*, 5> kFlagTexts = {"Urgent", "For Review", "Please Comment", "Please Reply",
                                                   "Please Recycle"};
constexpr std::array<const char*, 5> kFlagNames = {"cUrgent", "cForReview", "cPleaseComment", "cPleaseReply",
                                                   "cPleaseRecycle"};

// A one-line entry on which Enter moves to the next control: the editor
// closes only through its buttons.
class EnterEdit : public QLineEdit {
public:
    EnterEdit(const char* name, int maxLength)
    {
        setObjectName(QLatin1String(name));
        setMaxLength(maxLength);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            focusNextChild();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

QPushButton* Button(const QString& text, const char* name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CreateEditQuickFax::CreateEditQuickFax(app::Settings& settings, std::string coversFolder, QWidget* parent)
    : QDialog(parent), settings_(settings), coversFolder_(std::move(coversFolder))
{
    setWindowTitle(QStringLiteral("Fax Cover Sheet Editor"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildRecipient());
    layout->addWidget(BuildMessage(), 1);
    layout->addWidget(BuildFlags());
    layout->addLayout(BuildTemplate());
    layout->addLayout(BuildButtons());
    ShowSenderHint();
    resize(560, 600);
    recipient_->setFocus();
}

QLayout* CreateEditQuickFax::BuildRecipient()
{
    // The widths of the outgoing list's fields.
    recipient_ = new EnterEdit("Recipient", 35);
    recipientFax_ = new EnterEdit("RecipientFax", 25);
    regarding_ = new EnterEdit("Regarding", 50);
    notes_ = new EnterEdit("Notes", 50);
    codes_ = new EnterEdit("Codes", 25);
    auto* phoneBook = Button(QStringLiteral("&Phonebook"), "Phonebook");
    phoneBook->setToolTip(QStringLiteral("Pick the recipient from the phone book"));
    connect(phoneBook, &QPushButton::clicked, this, guard_.Slot([this] { PhoneBookClicked(); }));
    auto* recipientRow = new QHBoxLayout;
    recipientRow->addWidget(recipient_, 1);
    recipientRow->addWidget(phoneBook);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Recipient"), recipientRow);
    form->addRow(QStringLiteral("Recipient &Fax Number"), recipientFax_);
    form->addRow(QStringLiteral("Re&garding"), regarding_);
    form->addRow(QStringLiteral("&Notes (they will not be part of the fax)"), notes_);
    form->addRow(QStringLiteral("C&odes (they will not be part of the fax)"), codes_);
    // The buddy of a row whose field sits in a layout is not set by addRow.
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(recipientRow)))
        label->setBuddy(recipient_);
    return form;
}

QWidget* CreateEditQuickFax::BuildMessage()
{
    auto* group = new QGroupBox(QStringLiteral("&Message"));
    message_ = new QPlainTextEdit;
    message_->setObjectName(QStringLiteral("FaxMessage"));
    message_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    message_->setTabChangesFocus(true);
    auto* column = new QVBoxLayout(group);
    column->addWidget(message_);
    return group;
}

QWidget* CreateEditQuickFax::BuildFlags()
{
    auto* group = new QGroupBox(QStringLiteral("Importance Flags"));
    auto* row = new QHBoxLayout(group);
    for (std::size_t i = 0; i < flags_.size(); ++i) {
        flags_[i] = new QCheckBox(QString::fromLatin1(kFlagTexts[i]));
        flags_[i]->setObjectName(QLatin1String(kFlagNames[i]));
        row->addWidget(flags_[i]);
    }
    return group;
}

QLayout* CreateEditQuickFax::BuildTemplate()
{
    templateLabel_ = new QLabel;
    templateLabel_->setObjectName(QStringLiteral("CurrentQFileLabel"));
    auto* select = Button(QStringLiteral("&Select Fax Cover Template"), "SelectTemplate");
    senderInfo_ = Button(QStringLiteral("&Change Sender Info"), "ChangeSenderInfo");
    connect(select, &QPushButton::clicked, this, guard_.Slot([this] { SelectTemplateClicked(); }));
    connect(senderInfo_, &QPushButton::clicked, this, guard_.Slot([this] { SenderInfoClicked(); }));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Using Fax Cover Template:")));
    row->addWidget(templateLabel_, 1);
    row->addWidget(select);
    row->addWidget(senderInfo_);
    return row;
}

QLayout* CreateEditQuickFax::BuildButtons()
{
    auto* save = Button(QStringLiteral("&Save"), "Save");
    save->setDefault(true);
    auto* cancel = Button(QStringLiteral("Cance&l"), "Cancel");
    connect(save, &QPushButton::clicked, this, guard_.Slot([this] { SaveClicked(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(HelpButton(QStringLiteral("&Help"), app::HelpTopic::CoverEditor, this));
    row->addStretch(1);
    row->addWidget(save);
    row->addWidget(cancel);
    return row;
}

void CreateEditQuickFax::SetEntry(const app::CoverEntry& entry)
{
    recipient_->setText(ToQt(entry.info.recipient));
    recipientFax_->setText(ToQt(entry.info.phone));
    regarding_->setText(ToQt(entry.info.subject));
    notes_->setText(ToQt(entry.info.notes));
    codes_->setText(ToQt(entry.info.codes));
    QStringList paragraphs;
    for (const std::string& line : entry.messageLines)
        paragraphs << ToQt(line);
    message_->setPlainText(paragraphs.join(QLatin1Char('\n')));
    for (std::size_t i = 0; i < flags_.size(); ++i)
        flags_[i]->setChecked(entry.flags[i]);
    templateName_ = entry.templateName;
    templateLabel_->setText(ToQt(templateName_));
}

app::CoverEntry CreateEditQuickFax::Entry() const
{
    app::CoverEntry entry;
    entry.info = {FromQt(recipient_->text()), FromQt(recipientFax_->text()), FromQt(regarding_->text()),
                  FromQt(notes_->text()), FromQt(codes_->text())};
    // One line per paragraph: the box's own wrapping is not kept.
    entry.messageLines = app::SplitTextLines(FromQt(message_->toPlainText()));
    for (std::size_t i = 0; i < flags_.size(); ++i)
        entry.flags[i] = flags_[i]->isChecked();
    entry.templateName = templateName_;
    return entry;
}

void CreateEditQuickFax::PhoneBookClicked()
{
    if (const auto entry = PhoneBook::Pick(this)) {
        recipient_->setText(ToQt(entry->name));
        recipientFax_->setText(ToQt(entry->phone));
    }
}

void CreateEditQuickFax::ShowSenderHint()
{
    std::string hint;
    for (const std::string* value : {&settings_.Name, &settings_.Company, &settings_.Fax, &settings_.Voice})
        hint += (hint.empty() ? "" : "\n") + *value;
    const bool none = settings_.Name.empty() && settings_.Company.empty() && settings_.Fax.empty() &&
                      settings_.Voice.empty();
    senderInfo_->setToolTip(none ? QStringLiteral("No sender information entered") : ToQt(hint));
}

void CreateEditQuickFax::SelectTemplateClicked()
{
    if (const auto chosen = PreviewQuickFaxForms::Choose(coversFolder_, templateName_, this)) {
        templateName_ = *chosen;
        templateLabel_->setText(ToQt(templateName_));
    }
}

void CreateEditQuickFax::SenderInfoClicked()
{
    GetSenderInfo::Edit(settings_, this);
    ShowSenderHint();
}

void CreateEditQuickFax::SaveClicked()
{
    const app::CoverEntryProblem problem = app::CheckCoverEntry(Entry());
    if (problem.field == app::CoverEntryField::None) {
        accept();
        return;
    }
    ShowInformation(problem.message, this);
    switch (problem.field) {
    case app::CoverEntryField::Recipient: recipient_->setFocus(); break;
    case app::CoverEntryField::RecipientFax: recipientFax_->setFocus(); break;
    default: regarding_->setFocus(); break;
    }
}

bool CreateEditQuickFax::Edit(app::CoverEntry& entry, app::Settings& settings, const std::string& coversFolder,
                              QWidget* mainWindow)
{
    CreateEditQuickFax form(settings, coversFolder, mainWindow);
    form.SetEntry(entry);
    if (!ExecCentred(form, mainWindow))
        return false;
    entry = form.Entry();
    return true;
}

}  // namespace vl::ui
