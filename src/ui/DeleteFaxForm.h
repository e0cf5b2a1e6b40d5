// "Delete Fax": what to delete of an outgoing fax that has both a cover and
// a body.
#pragma once

#include <QDialog>

#include <optional>

#include "app/FaxOperationPrompts.h"

class QRadioButton;

namespace vl::ui {

class DeleteFaxForm : public QDialog {
    Q_OBJECT

public:
    explicit DeleteFaxForm(QWidget* parent = nullptr);

    app::DeleteChoice Choice() const;

    // Shows the window modally, centred; empty when it was cancelled.
    static std::optional<app::DeleteChoice> Ask(QWidget* mainWindow);

private:
    QRadioButton* cover_;
    QRadioButton* body_;
};

}  // namespace vl::ui
