// "Modem Initialization String Helper": the user picks the kind of modem (and,
// for the sending string, whether calls are hung up too early) and gets the
// init string for it.
#pragma once

#include <QDialog>

#include <string>

#include "ui/CommandGuard.h"

class QButtonGroup;
class QCheckBox;
class QLayout;
class QWidget;

namespace vl::ui {

class ModemInitStringHelperForm : public QDialog {
    Q_OBJECT

public:
    // Preselects what `current` was made for.
    ModemInitStringHelperForm(const std::string& current, bool sending, QWidget* parent = nullptr);

    // The text for the init-string edit box: the string made from the
    // user's choice (Ok), empty (Leave it Blank), or `current` (Cancel).
    static std::string Edit(const std::string& current, bool sending, QWidget* parent);

    // The modem type chosen, 1..6.
    int ModemType() const;
    bool HangUpBoxTicked() const;

    // Escape and the title bar's close count as Cancel.
    void reject() override;

private:
    QWidget* BuildTypes(int item);
    QCheckBox* BuildHangUpBox(bool ticked);
    QLayout* BuildButtons();

    QButtonGroup* types_ = nullptr;
    QCheckBox* hangUp_ = nullptr;
    CommandGuard guard_{*this, nullptr};
};

}  // namespace vl::ui
