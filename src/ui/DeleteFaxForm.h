// "Delete Fax": what to delete of an outgoing fax that has both a cover and
// a body.
#pragma once

#include <QDialog>

#include <optional>

class QRadioButton;

namespace vl::ui {

enum class DeleteFaxChoice { Cover, Body, Both };

class DeleteFaxForm : public QDialog {
    Q_OBJECT

public:
    explicit DeleteFaxForm(QWidget* parent = nullptr);

    DeleteFaxChoice Choice() const;

    // Shows the window modally, centred; empty when it was cancelled.
    static std::optional<DeleteFaxChoice> Ask(QWidget* mainWindow);

private:
    QRadioButton* cover_;
    QRadioButton* body_;
};

}  // namespace vl::ui
