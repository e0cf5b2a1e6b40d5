// A design page in a panel, driven with QTest's mouse and keys; pop-up menus
// are recorded instead of shown, and an entry can be chosen from them.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

#include "cover/DesignPage.h"
#include "ui/FaxCoverPanel.h"

namespace vl::test {

// One menu entry as shown: sub-menus as "Title/Entry", separators as "-".
struct ShownEntry {
    std::string text;
    bool enabled = true;
    bool checked = false;
};

class CoverPanelTest : public ::testing::Test {
protected:
    CoverPanelTest();

    // A rectangle, or another tool's object, placed straight on the page.
    cover::GraphicControl* Add(int left, int top, int width, int height,
                               cover::PanelState tool = cover::PanelState::Rectangle);
    static cover::DesignRect Bounds(const cover::GraphicControl* object);

    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {});
    // Pressed at `from`, moved to `to` and released `heldMs` after the press.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}, int heldMs = 300);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1);

    // The menu the right button (or a double click) opens at `at`; with
    // `choose` ("Title/Entry" for a sub-menu) that entry is triggered.
    std::vector<ShownEntry> RightClick(QPoint at, const std::string& choose = {});
    std::vector<ShownEntry> DoubleClick(QPoint at, const std::string& choose = {});
    // The entries of the menu `click` opens, `choose` triggered if given.
    std::vector<ShownEntry> MenuOf(const std::function<void()>& click, const std::string& choose);
    // The entries of a menu that are enabled, or checked, in order.
    static std::vector<std::string> Enabled(const std::vector<ShownEntry>& entries);
    static std::vector<std::string> Checked(const std::vector<ShownEntry>& entries);
    bool MenuShown() const { return menuShown_; }

    std::string ClipboardFile() const;

    QTemporaryDir folder_;
    cover::DesignPage page_;
    ui::FaxCoverPanel panel_;

private:
    void RecordMenus(const std::string& choose);
    bool menuShown_ = false;
};

}  // namespace vl::test
