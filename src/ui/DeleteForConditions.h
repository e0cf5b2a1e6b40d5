// "Delete Faxes Where....": the sender of received faxes, or the recipient
// or fax number of sent ones, matched whole or in part; OK gives the
// condition that selects those faxes once the user has confirmed it.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "store/CleanupConditions.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;

namespace vl::ui {

// What the current fax of the page offers to match.
struct ConditionValues {
    std::string from;       // incoming
    std::string recipient;  // outgoing
    std::string phone;      // outgoing
};

class DeleteForConditions : public QDialog {
    Q_OBJECT

public:
    DeleteForConditions(store::CleanupPage page, const ConditionValues& values, QWidget* parent = nullptr);

    // The confirmed condition; empty until OK has closed the window.
    const std::string& Condition() const { return condition_; }

    // Shows the window modally, centred; the condition, or nothing when the
    // user cancelled.
    static std::optional<std::string> Ask(store::CleanupPage page, const ConditionValues& values, QWidget* mainWindow);

private:
    void AddChoice(QGridLayout& grid, const char* caption, const char* name, store::MatchChoice choice);
    void EnableFor(store::CleanupPage page, const ConditionValues& values);
    void OkClicked();

    struct Choice {
        QRadioButton* button;
        QLineEdit* edit;
        store::MatchChoice match;
    };
    std::vector<Choice> choices_;
    QCheckBox* exactMatch_;
    std::string condition_;
};

}  // namespace vl::ui
