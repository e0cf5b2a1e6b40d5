#include "ui/GetSenderInfo.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"
#include "ui/LimitedField.h"
#include "ui/UiText.h"

namespace vl::ui {

GetSenderInfo::GetSenderInfo(app::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setWindowTitle(QStringLiteral("Sender Information"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildFields());
    layout->addLayout(BuildButtons());
}

QLayout* GetSenderInfo::BuildFields()
{
    name_ = LimitedField("Name", settings_.Name, kNameLength);
    faxNumber_ = LimitedField("FaxNumber", settings_.Fax, kNumberLength);
    voiceNumber_ = LimitedField("Voicenumber", settings_.Voice, kNumberLength);
    company_ = LimitedField("Company", settings_.Company, kCompanyLength);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Your &name"), name_);
    fields->addRow(QStringLiteral("Your &fax number (Station ID#)"), faxNumber_);
    fields->addRow(QStringLiteral("Your &voice number"), voiceNumber_);
    fields->addRow(QStringLiteral("Your &company"), company_);
    return fields;
}

QLayout* GetSenderInfo::BuildButtons()
{
    auto* accept = NamedButton("&Accept", "accept");
    accept->setDefault(true);
    auto* cancel = NamedButton("Cance&l", "cancel");
    connect(accept, &QPushButton::clicked, this, guard_.Slot([this] { AcceptClicked(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    return RightAlignedRow({accept, cancel});
}

// The settings in memory change only once the file holds the values, so a
// failed write (shown by the guard) leaves both as they were and the window
// open.
void GetSenderInfo::AcceptClicked()
{
    app::Settings edited = settings_;
    edited.Name = FromQt(name_->text());
    edited.Fax = FromQt(faxNumber_->text());
    edited.Voice = FromQt(voiceNumber_->text());
    edited.Company = FromQt(company_->text());
    app::SaveSettings(edited);
    settings_ = edited;
    accept();
}

bool GetSenderInfo::Edit(app::Settings& settings, QWidget* mainWindow)
{
    GetSenderInfo form(settings, mainWindow);
    return ExecCentred(form, mainWindow);
}

}  // namespace vl::ui
