// What a key does in the fax viewer: page through the fax, jump to an edge of
// the page, or scroll by steps. Ctrl turns paging keys into edge jumps and
// steps into jumps of ten.
#pragma once

namespace vl::ui {

enum class ViewerKeyAction {
    None,  // not the viewer's key
    PreviousPage,
    NextPage,
    FirstPage,  // or the top left corner when already on the first page
    LastPage,   // or the top left corner when already on the last page
    Top,
    Bottom,
    LeftEdge,
    RightEdge,
    Scroll,  // by stepsX and stepsY scroll steps
};

struct ViewerKeyCommand {
    ViewerKeyAction action = ViewerKeyAction::None;
    int stepsX = 0;
    int stepsY = 0;
};

inline constexpr int kStepsPerJump = 10;

// `key` is a Qt::Key.
ViewerKeyCommand ViewerKey(int key, bool ctrl);

}  // namespace vl::ui
