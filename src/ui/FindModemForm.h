// "Find Modem": tests COM1 to COM6 for a modem as soon as it is shown, one
// line per port, then a summary that suggests the port to use.
#pragma once

#include <array>
#include <string>

#include "app/ModemSearch.h"
#include "ui/ModemToolForm.h"

class QLabel;
class QWidget;

namespace vl::serial {
class VlComPort;
}

namespace vl::ui {

class FindModemForm : public ModemToolForm {
    Q_OBJECT

public:
    // `port` maps COM numbers to devices through its settings file;
    // `resetString` is the modem check's second try.
    FindModemForm(serial::VlComPort& port, std::string resetString, QWidget* parent = nullptr);

    // Searches COM1..COM6 on `port`, showing each port's line and the
    // summary; the first COM number with a modem, or -1. The port's COM
    // number is as before afterwards.
    static int Search(serial::VlComPort& port, const std::string& resetString, QWidget* parent);
    // Search, then, when a modem was found on a COM number other than
    // `selectedComNumber`, asks whether to set the port to it. The COM
    // number to select: the found one on Yes, else `selectedComNumber`.
    static int FindAndOffer(serial::VlComPort& port, const std::string& resetString, int selectedComNumber,
                            QWidget* parent);

    // The first COM number with a modem, -1 before the search ends or when
    // none was found.
    int Found() const { return found_; }

private:
    QWidget* BuildLines();
    QLabel* BuildSummary();
    void Work() override;
    void ShowLine(int comNumber, const std::string& line);

    app::ModemSearch search_;
    std::array<QLabel*, app::ModemSearch::kLastPort> lines_{};
    QLabel* summary_ = nullptr;
    int found_ = -1;
};

}  // namespace vl::ui
