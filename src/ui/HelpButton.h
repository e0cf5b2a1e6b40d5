// The Help and Technical Help buttons of the windows: each opens its help
// page in the help window, beside the window it belongs to.
#pragma once

#include <QPushButton>

#include <functional>

#include "app/HelpTopics.h"

namespace vl::ui {

// A button opening `topic`. Its object name is the caption without '&' and
// blanks ("Technical Help" is "TechnicalHelp"). It is never a default
// button: Enter in a field does not open the help.
QPushButton* HelpButton(const QString& caption, app::HelpTopic topic, QWidget* parent);
// The same for a window whose topic depends on what it shows; `topic` is
// asked at each click.
QPushButton* HelpButton(const QString& caption, std::function<app::HelpTopic()> topic, QWidget* parent);

}  // namespace vl::ui
