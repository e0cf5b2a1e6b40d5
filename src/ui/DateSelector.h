// "Select Date": a month calendar with buttons a year or a month back and
// forward and to today, the chosen date written out below it.
#pragma once

#include <QDate>
#include <QDialog>

#include <optional>

class QCalendarWidget;
class QLabel;

namespace vl::ui {

class DateSelector : public QDialog {
    Q_OBJECT

public:
    explicit DateSelector(QWidget* parent = nullptr);

    QDate Date() const;
    void SetDate(const QDate& date);

    // Shows the window modally, centred, under the caption; the date chosen
    // with OK or a double click, nothing on Cancel.
    static std::optional<QDate> Ask(const QString& caption, QWidget* mainWindow);

private:
    void BuildButtons();
    void ShowChosenDate();

    QCalendarWidget* calendar_;
    QLabel* chosen_;
};

}  // namespace vl::ui
