#include "ui/ViewerKeys.h"

#include <Qt>

namespace vl::ui {

namespace {

struct KeyRow {
    int key;
    ViewerKeyCommand alone;
    ViewerKeyCommand withCtrl;
};

using A = ViewerKeyAction;
constexpr int J = kStepsPerJump;

constexpr KeyRow kKeys[] = {
    {Qt::Key_PageUp, {A::PreviousPage}, {A::Top}},
    {Qt::Key_PageDown, {A::NextPage}, {A::Bottom}},
    {Qt::Key_Home, {A::LeftEdge}, {A::FirstPage}},
    {Qt::Key_End, {A::RightEdge}, {A::LastPage}},
    {Qt::Key_Left, {A::Scroll, -1, 0}, {A::Scroll, -J, 0}},
    {Qt::Key_Right, {A::Scroll, 1, 0}, {A::Scroll, J, 0}},
    {Qt::Key_Up, {A::Scroll, 0, -1}, {A::Scroll, 0, -J}},
    {Qt::Key_Down, {A::Scroll, 0, 1}, {A::Scroll, 0, J}},
};

}  // namespace

ViewerKeyCommand ViewerKey(int key, bool ctrl) {
    for (const KeyRow& row : kKeys) {
        if (row.key == key) return ctrl ? row.withCtrl : row.alone;
    }
    return {};
}

}  // namespace vl::ui
