#include "ui/SaveTemplateAs.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

#include "app/CoverTemplates.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/SessionFeedback.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

constexpr const char* kNameRules =
    "The name is at most 12 characters long and ends in \".FCS\". Before that it starts with a letter or an "
    "underscore, followed only by letters, digits and underscores. The description must not be empty.";

}  // namespace

SaveTemplateAs::SaveTemplateAs(std::string coversFolder, const cover::NamedTemplate& proposal, QWidget* parent)
    : QDialog(parent), coversFolder_(std::move(coversFolder))
{
    setWindowTitle(QStringLiteral("Save fax cover template as"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(BuildFields(proposal));
    layout->addWidget(BuildFileList());
    layout->addWidget(BuildRules());
    layout->addLayout(BuildButtons());
    TextChanged();
    name_->setFocus();
    name_->selectAll();
}

QLayout* SaveTemplateAs::BuildFields(const cover::NamedTemplate& proposal)
{
    name_ = new QLineEdit(ToQt(proposal.name));
    name_->setObjectName(QStringLiteral("TemplateName"));
    description_ = new QLineEdit(ToQt(proposal.description));
    description_->setObjectName(QStringLiteral("TemplateDescription"));
    description_->setMinimumWidth(description_->fontMetrics().averageCharWidth() * 50);
    connect(name_, &QLineEdit::textChanged, this, guard_.Slot([this] { TextChanged(); }));
    connect(description_, &QLineEdit::textChanged, this, guard_.Slot([this] { TextChanged(); }));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Name"), name_);
    fields->addRow(QStringLiteral("&Description"), description_);
    return fields;
}

QListWidget* SaveTemplateAs::BuildFileList()
{
    files_ = new QListWidget;
    files_->setObjectName(QStringLiteral("files"));
    for (const std::string& name : app::CoverTemplateNames(coversFolder_))
        files_->addItem(ToQt(name));
    // Selection, not the current row: the list makes its first row current
    // when it merely gains focus, which must not replace the typed name.
    connect(files_, &QListWidget::itemSelectionChanged, this, guard_.Slot([this] { FileChosen(); }));
    return files_;
}

QLabel* SaveTemplateAs::BuildRules()
{
    auto* rules = new QLabel(QString::fromLatin1(kNameRules));
    rules->setObjectName(QStringLiteral("InvalidFileName"));
    rules->setWordWrap(true);
    return rules;
}

QLayout* SaveTemplateAs::BuildButtons()
{
    ok_ = NamedButton("Ok ", "ok");
    ok_->setDefault(true);
    auto* cancel = NamedButton("Cancel", "cancel");
    auto* help = NamedButton("Help", "help");
    connect(ok_, &QPushButton::clicked, this, guard_.Slot([this] { OkClicked(); }));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, guard_.Slot([this] { HelpClicked(); }));
    return RightAlignedRow({ok_, cancel, help});
}

cover::NamedTemplate SaveTemplateAs::Chosen() const
{
    return {FromQt(name_->text()), FromQt(description_->text())};
}

// The list shows the render files, which are what a saved template is known
// by, but the name saved under is the design file's: the entry's base name
// goes into the name box with ".FCS", so that choosing a template to replace
// gives a name the dialog accepts.
void SaveTemplateAs::FileChosen()
{
    const QList<QListWidgetItem*> selected = files_->selectedItems();
    if (selected.isEmpty())
        return;
    const std::string file = FromQt(selected.front()->text());
    name_->setText(ToQt(std::filesystem::path(file).stem().string() + ".FCS"));
    description_->setText(ToQt(app::CoverDescription(coversFolder_, file)));
}

void SaveTemplateAs::TextChanged()
{
    const cover::NamedTemplate chosen = Chosen();
    ok_->setEnabled(cover::CanSaveTemplateAs(chosen.name, chosen.description));
}

void SaveTemplateAs::OkClicked()
{
    const cover::NamedTemplate chosen = Chosen();
    if (!cover::CanSaveTemplateAs(chosen.name, chosen.description)) {
        SessionFeedback::Beep();
        return;
    }
    accept();
}

void SaveTemplateAs::HelpClicked()
{
    ShowInformation(kNameRules, "Help", this);
}

std::optional<cover::NamedTemplate> SaveTemplateAs::Run(const std::string& coversFolder,
                                                        const std::string& designPath, QWidget* mainWindow)
{
    SaveTemplateAs form(coversFolder, cover::ProposeTemplate(coversFolder, designPath), mainWindow);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Chosen();
}

}  // namespace vl::ui
