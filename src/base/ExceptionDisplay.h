// The program's exception display: where an exception goes that nobody up the
// stack can take, because it arose on a port's thread or in an event handler
// run by a message loop. The desktop program shows it in its error window,
// the command line on standard error; until one is installed it is written to
// standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace vl::base {

using ExceptionDisplay = std::function<void(std::exception_ptr error)>;

// Installs the display (an empty one restores the default); answers the one
// it replaces. Main thread.
ExceptionDisplay SetExceptionDisplay(ExceptionDisplay display);

// Shows `error` through the installed display. A display that throws itself
// is not allowed to take the caller down: its failure goes to standard error.
void ShowException(std::exception_ptr error) noexcept;

// Shows `error` through `display` when one is given, else through the
// installed display; the failure of `display` itself goes to the installed one.
void ShowExceptionThrough(const ExceptionDisplay& display, std::exception_ptr error) noexcept;

// The text an exception carries ("Unknown exception" when it carries none).
std::string ExceptionText(std::exception_ptr error);

}  // namespace vl::base
