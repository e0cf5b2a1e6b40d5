#include "ui/PreviewQuickFaxForms.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CoverTemplates.h"
#include "base/TextCase.h"
#include "ui/DialogButtons.h"
#include "ui/SessionFeedback.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

// The preview pictures are 816 x 1056; shown at half size.
constexpr int kPreviewWidth = 408;
constexpr int kPreviewHeight = 528;

}  // namespace

PreviewQuickFaxForms::PreviewQuickFaxForms(std::string folder, const std::string& current, QWidget* parent,
                                           const TemplateBrowsing& browsing)
    : QDialog(parent), folder_(std::move(folder)), lookOnly_(browsing.lookOnly)
{
    setWindowTitle(lookOnly_ ? QStringLiteral("Preview Fax Cover Templates")
                             : QStringLiteral("Select  Fax Cover Template"));
    preview_ = new QLabel;
    preview_->setObjectName(QStringLiteral("preview"));
    preview_->setFixedSize(kPreviewWidth, kPreviewHeight);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::StyledPanel);
    description_ = new QLabel;
    description_->setObjectName(QStringLiteral("description"));
    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildList(current, browsing.extension));
    columns->addWidget(preview_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(description_);
    layout->addLayout(BuildButtons(lookOnly_));
    SelectionChanged();
    list_->setFocus();
}

QListWidget* PreviewQuickFaxForms::BuildList(const std::string& current, std::string_view extension)
{
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("templates"));
    for (const std::string& name : app::CoverTemplateNames(folder_, extension)) {
        list_->addItem(ToQt(name));
        if (base::EqualsNoCase(name, current))
            list_->setCurrentRow(list_->count() - 1);
    }
    if (list_->currentRow() < 0 && list_->count() > 0)
        list_->setCurrentRow(0);
    connect(list_, &QListWidget::currentRowChanged, this, guard_.Slot([this] { SelectionChanged(); }));
    connect(list_, &QListWidget::itemDoubleClicked, this, guard_.Slot([this] { OkClicked(); }));
    return list_;
}

QLayout* PreviewQuickFaxForms::BuildButtons(bool lookOnly)
{
    auto* cancel = NamedButton("Cancel", "cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    if (lookOnly) {
        cancel->setDefault(true);
        return RightAlignedRow({cancel});
    }
    auto* ok = NamedButton("Ok", "ok");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, guard_.Slot([this] { OkClicked(); }));
    return RightAlignedRow({ok, cancel});
}

std::string PreviewQuickFaxForms::Selected() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item != nullptr ? FromQt(item->text()) : std::string();
}

// A missing or unreadable picture is said in the preview area itself: a
// message box at every step through the list would stop the user each time.
void PreviewQuickFaxForms::SelectionChanged()
{
    const std::string name = Selected();
    const std::string picture = name.empty() ? std::string() : app::CoverPreviewFile(folder_, name);
    const QPixmap pixmap(ToQt(picture));
    if (pixmap.isNull()) {
        preview_->setPixmap(QPixmap());
        preview_->setText(QStringLiteral("Image not available"));
    } else {
        preview_->setPixmap(pixmap.scaled(preview_->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    description_->setText(name.empty() ? QString() : ToQt(app::CoverDescription(folder_, name)));
}

void PreviewQuickFaxForms::OkClicked()
{
    // Only looking: a double click chooses nothing.
    if (lookOnly_)
        return;
    if (Selected().empty()) {
        SessionFeedback::Beep();
        return;
    }
    accept();
}

std::optional<std::string> PreviewQuickFaxForms::Choose(const std::string& folder, const std::string& current,
                                                        QWidget* mainWindow, const TemplateBrowsing& browsing)
{
    PreviewQuickFaxForms form(folder, current, mainWindow, browsing);
    if (!ExecCentred(form, mainWindow) || browsing.lookOnly)
        return std::nullopt;
    return form.Selected();
}

}  // namespace vl::ui
