// Checking which fax classes the modem offers: the port is opened and the
// modem checked and reset, the send component asks it for its classes, and
// Class 1, else Class 2, else Class 2.0 is recommended. Every step reports
// through a status text and three class lines for the window to show.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace vl::serial {
class VlComPort;
}
namespace vl::fax {
class VlAbstractFax;
}

namespace vl::app {

struct FaxClassLine {
    std::string text;   // "Class 1   : Supported (recommended)"
    bool bold = false;  // Class 2.0 recommended is shown bold instead

    friend bool operator==(const FaxClassLine&, const FaxClassLine&) = default;
};

class FaxClassCheck {
public:
    // Asks the user a yes/no question with a caption; true for yes.
    using Question = std::function<bool(const std::string& caption, const std::string& text)>;
    // Shows the user a message.
    using Message = std::function<void(const std::string& text)>;

    // `sendFax` is linked to `port`; `resetString` is CheckModem's second try.
    FaxClassCheck(serial::VlComPort& port, fax::VlAbstractFax& sendFax, int comNumber, std::string resetString);

    Question AskContinue;  // whether to go on when the device does not answer; unset means no
    Message ShowMessage;
    // The status or the lines changed (so the window repaints).
    std::function<void()> OnChange;

    // Runs every step and closes the port. The recommended class index (0
    // Class 1, 1 Class 2, 2 Class 2.0) or -1. Raises nothing.
    int Run();

    const std::string& Status() const { return status_; }
    const std::array<FaxClassLine, 3>& Lines() const { return lines_; }
    int Recommended() const { return recommended_; }
    // "Class 1", "Class 2", "Class 2.0"; empty without a recommendation.
    std::string RecommendedName() const;

private:
    int Steps();
    // The query's class bits (4, 8, 16), 0 when it failed or found none.
    int QueryClasses();
    void ShowSupport(int classBits);
    void SetStatus(const std::string& status);
    void SetUnknown();
    void Changed();
    std::string NoResponseText() const;

    serial::VlComPort& port_;
    fax::VlAbstractFax& sendFax_;
    int comNumber_;
    std::string resetString_;
    std::string status_;
    std::array<FaxClassLine, 3> lines_;
    int recommended_ = -1;
};

}  // namespace vl::app
