// "Fax Information Editor": the recipient, fax number, subject, notes and
// codes of an outgoing fax, each limited to its field's width.
#pragma once

#include <QDialog>

#include <string>

#include "app/FaxOperationPrompts.h"
#include "ui/CommandGuard.h"

class QLineEdit;

namespace vl::ui {

class FaxEditor : public QDialog {
    Q_OBJECT

public:
    explicit FaxEditor(QWidget* parent = nullptr);

    // Forwarding names the sender here instead of the usual caption.
    void SetCaption(const std::string& caption);
    void SetFields(const app::FaxInfo& fields);
    app::FaxInfo Fields() const;

    // Shows the window modally, centred, filled from `fields`, with the
    // usual caption when `caption` is empty; on OK the fields take the
    // entries and the result is true.
    static bool Edit(const std::string& caption, app::FaxInfo& fields, QWidget* mainWindow);

private:
    // Name and number of the entry picked from the phone book.
    void PhoneBookClicked();

    QLineEdit* recipient_;
    QLineEdit* phone_;
    QLineEdit* subject_;
    QLineEdit* notes_;
    QLineEdit* codes_;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
