// What a window does for a fax session it runs: messages, the error window,
// the hourglass cursor, keeping the window alive during waits, the beep.
#pragma once

#include <string>

class QWidget;

namespace vl::ui {

class SessionFeedback {
public:
    explicit SessionFeedback(QWidget* owner) : owner_(owner) {}
    // Puts back every hourglass still set.
    ~SessionFeedback();
    SessionFeedback(const SessionFeedback&) = delete;
    SessionFeedback& operator=(const SessionFeedback&) = delete;

    void ShowInformation(const std::string& text) const;
    // True when the user pressed Continue.
    bool ShowError(const std::string& title, const std::string& text, bool withContinue) const;
    // Calls nest: each false undoes one true.
    void SetBusyCursor(bool busy);
    static void ProcessMessages();
    static void Beep();

private:
    QWidget* owner_;
    int busyCursors_ = 0;
};

}  // namespace vl::ui
