// What a fax session asks of the window that runs it. Everything the user
// sees comes out as plain text; the window decides how to show it.
#pragma once

#include <string>

namespace vl::session {

class SessionUi {
public:
    virtual ~SessionUi() = default;
    virtual void ShowInformation(const std::string& text) = 0;
    // The error window; with `withContinue` it offers Continue beside Ok.
    // Answers true when Continue was pressed.
    virtual bool ShowError(const std::string& title, const std::string& text, bool withContinue) = 0;
    // The status line (empty clears it).
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
    // Lets the window's own pending events run during a long step.
    virtual void ProcessMessages() = 0;
    virtual void Beep() = 0;
};

}  // namespace vl::session
