#include "ui/FaxStatusDisplay.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "fax/FaxStatusModel.h"
#include "ui/DialogButtons.h"
#include "ui/MessageBoxes.h"
#include "ui/UiText.h"

namespace vl::ui {

namespace {

struct RowSpec {
    const char* name;
    const char* title;
    std::string fax::FaxStatusView::*text;
};

using V = fax::FaxStatusView;

constexpr RowSpec kRows[] = {
    {"phoneNumber", "Phone number:", &V::phoneNumber},
    {"faxFile", "Fax file:", &V::faxFile},
    {"coverFile", "Cover file:", &V::coverFile},
    {"dialAttempt", "Dial attempt:", &V::dialAttempt},
    {"totalPages", "Total pages:", &V::totalPages},
    {"remoteId", "Remote ID:", &V::remoteId},
    {"connectSpeed", "Connect speed:", &V::connectSpeed},
    {"resolution", "Resolution:", &V::resolution},
    {"width", "Width:", &V::width},
    {"errorControl", "Error control:", &V::errorControl},
    {"currentPage", "Current page:", &V::currentPage},
    {"pageLength", "Page length:", &V::pageLength},
    {"bytesTransferred", "Bytes transferred:", &V::bytesTransferred},
    {"elapsedTime", "Elapsed time:", &V::elapsedTime},
    {"statusText", "Status:", &V::statusText},
};

}  // namespace

FaxStatusDisplay::FaxStatusDisplay(fax::FaxStatusModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , meter_(new QProgressBar)
    , meterLabel_(new QLabel)
{
    auto* form = new QFormLayout;
    for (const RowSpec& spec : kRows) {
        auto* value = new QLabel;
        value->setObjectName(QLatin1String(spec.name));
        // Remote IDs and file names come from outside; never read them as markup.
        value->setTextFormat(Qt::PlainText);
        value->setMinimumWidth(value->fontMetrics().averageCharWidth() * 30);
        form->addRow(QLatin1String(spec.title), value);
        rows_.push_back({value, spec.text});
    }
    meter_->setObjectName(QStringLiteral("meter"));
    meter_->setRange(0, 100);
    meterLabel_->setObjectName(QStringLiteral("meterLabel"));

    auto* buttons = DialogButtons(*this, QDialogButtonBox::Cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(meterLabel_);
    layout->addWidget(meter_);
    layout->addWidget(buttons);
    Refresh();
}

void FaxStatusDisplay::Refresh()
{
    const fax::FaxStatusView& view = model_.View();
    setWindowTitle(ToQt(model_.Caption));
    for (const Row& row : rows_)
        row.value->setText(ToQt(view.*row.text));
    meterLabel_->setText(ToQt(view.meterLabel));
    meter_->setVisible(view.meterVisible);
    meter_->setValue(view.meterPercent);
    if (view.visible && isHidden()) {
        CenterDialog(*this, nullptr);
        show();
    } else if (!view.visible && !isHidden()) {
        hide();
    }
}

void FaxStatusDisplay::reject() { model_.Cancel(); }

}  // namespace vl::ui
