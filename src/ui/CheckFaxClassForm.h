// "Check Fax Class": opens the modem's port as soon as it is shown, asks the
// modem which fax classes it offers and recommends one.
#pragma once

#include <array>
#include <string>

#include "app/FaxClassCheck.h"
#include "ui/ModemToolForm.h"

class QLabel;
class QLayout;

namespace vl::ui {

struct FaxClassChoice {
    int index = -1;    // 0 Class 1, 1 Class 2, 2 Class 2.0, -1 none
    std::string name;  // "Class 1", "Class 2", "Class 2.0"; empty with -1
};

class CheckFaxClassForm : public ModemToolForm {
    Q_OBJECT

public:
    // `sendFax` is linked to `port`; `resetString` is the modem check's
    // second try. COM number 0 has the user choose the port (ComSelectForm),
    // which `port` keeps doing afterwards.
    CheckFaxClassForm(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber, std::string resetString,
                      QWidget* parent = nullptr);

    // Runs the check on COM`comNumber` in the window; the recommended class.
    static FaxClassChoice Check(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber,
                                const std::string& resetString, QWidget* parent);

    // None before the check ends.
    FaxClassChoice Choice() const;

private:
    QLabel* BuildStatus();
    QLayout* BuildLines();
    void Work() override;
    void ShowProgress();
    bool AskContinue(const std::string& caption, const std::string& text);
    void ShowMessage(const std::string& text);

    app::FaxClassCheck check_;
    QLabel* status_ = nullptr;
    std::array<QLabel*, 3> lines_{};
};

}  // namespace vl::ui
