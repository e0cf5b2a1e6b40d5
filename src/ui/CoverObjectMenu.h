// The pop-up menu of one object on the cover designer's page: the entries of
// its class (font, text, symbol, field, pen, fill, rounding, line style)
// followed by the entries every object has.
#pragma once

#include <memory>

class QMenu;
class QWidget;

namespace vl::cover {
class GraphicControl;
}

namespace vl::ui {

class CommandGuard;
class CoverCommands;

// Cut, Copy and Delete act on the object alone when it is not selected,
// else on the whole selection; the other entries on the object alone.
std::unique_ptr<QMenu> MakeCoverObjectMenu(CoverCommands& commands, CommandGuard& guard,
                                           cover::GraphicControl& object, QWidget* parent);

}  // namespace vl::ui
