// The pop-up menu of the cover designer's page (the right button on an empty
// spot): commands on the selection and on all objects.
#pragma once

#include <memory>

class QMenu;
class QWidget;

namespace vl::ui {

class CommandGuard;
class CoverCommands;

// Entries that need a selection are enabled only with one, "Paste" only when
// the clipboard file exists, "Lock All" and "Unlock All" only when the page
// holds an object.
std::unique_ptr<QMenu> MakeCoverPageMenu(CoverCommands& commands, CommandGuard& guard, QWidget* parent);

}  // namespace vl::ui
