#include "ui/CoverDesignerTips.h"

namespace vl::ui {

const std::string& CoverDesignerTips()
{
    static const std::string kTips =
        "Placing: choose a tool, then drag a rectangle on the page. A text or a symbol asks for its "
        "content at once; the tool returns to the arrow afterwards.\n\n"
        "Selecting: click an object; Shift+click adds or removes one; drag on an empty spot to select "
        "every object the band touches (with Shift the band toggles them).\n\n"
        "Moving and sizing: drag the selection, or a corner or edge square of a single object. The arrow "
        "keys move the selection one pixel; Shift+arrows size a single object. Turn on Snap to Grid to "
        "keep positions on the grid.\n\n"
        "Right-click an object for its own menu: font, text, field type, line thickness, fill, lock, "
        "clone. Right-click the empty page for the alignment commands.\n\n"
        "Fields are filled in for each fax: put a Date, Recipient or Sender field where the value "
        "belongs. The message box holds the fax's message; the importance box its check marks.\n\n"
        "Ctrl+Z undoes the last change, Ctrl+Shift+Z redoes it. Save with Ctrl+S; a template is offered "
        "in the cover sheet editor once it has been saved.";
    return kTips;
}

}  // namespace vl::ui
