#include "ui/QuickSetupForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/ComLabel.h"
#include "app/ModemCommands.h"
#include "serial/PortNames.h"
#include "ui/FindModemForm.h"
#include "ui/LimitedField.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr int kComNumbers = 6;

QPushButton* Button(const char* text, const char* name)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

QuickSetupForm::QuickSetupForm(base::MessageLoop& loop, const app::Settings& settings, QWidget* parent)
    : QDialog(parent), port_(loop), resetString_(settings.String)
{
    app::UseProgramPorts(port_);
    setWindowTitle(QStringLiteral("Quick Setup Form"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildPortGroup(settings.ComPort));
    layout->addLayout(BuildFields(settings));
    layout->addLayout(BuildButtons());
}

QGroupBox* QuickSetupForm::BuildPortGroup(int comPort)
{
    auto* group = new QGroupBox(QStringLiteral("Port"));
    group->setObjectName(QStringLiteral("Port"));
    ports_ = new QButtonGroup(group);
    // Two columns: Com1 to Com3, then Com4 to Com6.
    auto* radios = new QGridLayout;
    for (int com = 1; com <= kComNumbers; ++com) {
        const std::string label = app::ComLabel(com, serial::DevicePathForCom(com, port_.IniFile()));
        auto* radio = new QRadioButton(ToQt(label));
        radio->setObjectName(QStringLiteral("Com%1").arg(com));
        ports_->addButton(radio, com - 1);
        radios->addWidget(radio, (com - 1) % (kComNumbers / 2), (com - 1) / (kComNumbers / 2));
    }
    if (QAbstractButton* current = ports_->button(comPort))
        current->setChecked(true);
    auto* find = Button("Find Modem Port", "findModem");
    connect(find, &QPushButton::clicked, this, guard_.Slot([this] { FindModemClicked(); }));
    auto* row = new QHBoxLayout(group);
    row->addLayout(radios, 1);
    row->addWidget(find, 0, Qt::AlignTop);
    return group;
}

QLayout* QuickSetupForm::BuildFields(const app::Settings& settings)
{
    name_ = LimitedField("Name", settings.Name, kNameLength);
    faxNumber_ = LimitedField("FaxNumber", settings.Fax, kFaxNumberLength);
    sm56_ = new QCheckBox(QStringLiteral("My modem is a Motorola SM56"));
    sm56_->setObjectName(QStringLiteral("UseMotorolaSM56Fix"));
    sm56_->setChecked(settings.UseMotorolaSM56Fix);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Your &name"), name_);
    fields->addRow(QStringLiteral("Your &fax number (Station ID#)"), faxNumber_);
    fields->addRow(sm56_);
    return fields;
}

QLayout* QuickSetupForm::BuildButtons()
{
    auto* wizard = Button("Preferences Wizard...", "preferencesWizard");
    auto* ok = Button("Ok", "ok");
    auto* cancel = Button("Cance&l", "cancel");
    ok->setDefault(true);
    connect(wizard, &QPushButton::clicked, this, [this] { done(kPreferencesWizard); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(wizard);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void QuickSetupForm::FindModemClicked()
{
    // With no port selected, any port with a modem is offered.
    const int comNumber = FindModemForm::FindAndOffer(port_, resetString_, ports_->checkedId() + 1, this);
    if (QAbstractButton* found = ports_->button(comNumber - 1))
        found->setChecked(true);
}

void QuickSetupForm::Store(app::Settings& settings) const
{
    if (ports_->checkedId() >= 0)
        settings.ComPort = ports_->checkedId();
    settings.Name = FromQt(name_->text());
    settings.Fax = FromQt(faxNumber_->text());
    settings.UseMotorolaSM56Fix = sm56_->isChecked();
}

int QuickSetupForm::Edit(base::MessageLoop& loop, app::Settings& settings, QWidget* mainWindow)
{
    QuickSetupForm form(loop, settings, mainWindow);
    CenterDialog(form, mainWindow);
    const int result = form.exec();
    if (result == QDialog::Accepted || result == kPreferencesWizard)
        form.Store(settings);
    return result;
}

}  // namespace vl::ui
