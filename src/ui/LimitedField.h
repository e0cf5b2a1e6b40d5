// A one-line entry with a length limit, as the settings forms use them.
#pragma once

#include <QLineEdit>

#include <string>

namespace vl::ui {

// Named `name` for tests, holding at most `maxLength` characters of `text`
// (a longer value from the settings file is cut too), and wide enough to
// show a full entry.
QLineEdit* LimitedField(const char* name, const std::string& text, int maxLength);

}  // namespace vl::ui
