// "Phone Book Editor": the name and fax number of one phone book entry, each
// limited to its field's width; the values are stored as they are entered.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace vl::ui {

class PhoneBookEditor : public QDialog {
    Q_OBJECT

public:
    explicit PhoneBookEditor(QWidget* parent = nullptr);

    // Shows the window modally over `owner`, filled from the two values; on
    // Accept they take the entries and the result is true.
    static bool Edit(std::string& name, std::string& number, QWidget* owner);

private:
    QLineEdit* name_;
    QLineEdit* number_;
};

}  // namespace vl::ui
