#include "ui/DateSelector.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/DialogButtons.h"

namespace vl::ui {

DateSelector::DateSelector(QWidget* parent)
    : QDialog(parent)
    , calendar_(new QCalendarWidget)
    , chosen_(new QLabel)
{
    setWindowTitle(QStringLiteral("Select Date"));
    calendar_->setObjectName(QStringLiteral("calendar"));
    calendar_->setSelectedDate(QDate::currentDate());
    chosen_->setObjectName(QStringLiteral("chosen"));
    chosen_->setAlignment(Qt::AlignCenter);
    chosen_->setFrameShape(QFrame::Panel);
    chosen_->setFrameShadow(QFrame::Sunken);
    connect(calendar_, &QCalendarWidget::selectionChanged, this, &DateSelector::ShowChosenDate);
    connect(calendar_, &QCalendarWidget::activated, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(calendar_);
    BuildButtons();
    layout->addWidget(chosen_);
    layout->addWidget(DialogButtons(*this, QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    ShowChosenDate();
}

// Back a year, back a month, today, forward a month, forward a year.
void DateSelector::BuildButtons()
{
    struct Step {
        const char* caption;
        const char* name;
        int years, months;
    };
    static const Step kSteps[] = {{"Year-", "yearBack", -1, 0}, {"Month-", "monthBack", 0, -1},
                                  {"Today", "today", 0, 0},     {"Month+", "monthForward", 0, 1},
                                  {"Year+", "yearForward", 1, 0}};
    auto* row = new QHBoxLayout;
    for (const Step& step : kSteps) {
        QPushButton* button = NamedButton(step.caption, step.name);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, step] {
            const bool today = step.years == 0 && step.months == 0;
            SetDate(today ? QDate::currentDate() : Date().addYears(step.years).addMonths(step.months));
        });
        row->addWidget(button);
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

QDate DateSelector::Date() const { return calendar_->selectedDate(); }

void DateSelector::SetDate(const QDate& date) { calendar_->setSelectedDate(date); }

// "dddd, mmmm d, yyyy" with the user's day and month names.
void DateSelector::ShowChosenDate()
{
    chosen_->setText(QLocale().toString(Date(), QStringLiteral("dddd, MMMM d, yyyy")));
}

std::optional<QDate> DateSelector::Ask(const QString& caption, QWidget* mainWindow)
{
    DateSelector form(mainWindow);
    form.setWindowTitle(caption);
    if (!ExecCentred(form, mainWindow))
        return std::nullopt;
    return form.Date();
}

}  // namespace vl::ui
