#include "CoverPanelFixture.h"

namespace vl::test {

namespace {

void Record(QMenu& menu, const std::string& prefix, const std::string& choose, std::vector<ShownEntry>& shown,
            QAction*& chosen)
{
    for (QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            shown.push_back({"-"});
            continue;
        }
        const std::string text = prefix + action->text().toStdString();
        if (action->menu() != nullptr) {
            Record(*action->menu(), text + "/", choose, shown, chosen);
            continue;
        }
        shown.push_back({text, action->isEnabled(), action->isChecked()});
        if (text == choose)
            chosen = action;
    }
}

}  // namespace

CoverPanelTest::CoverPanelTest() : panel_(page_, folder_.filePath("Clipbrd.tmp").toStdString())
{
    panel_.SetMenuRunner([](QMenu&, const QPoint&) { ADD_FAILURE() << "a menu opened unexpectedly"; });
}

cover::GraphicControl* CoverPanelTest::Add(int left, int top, int width, int height, cover::PanelState tool)
{
    cover::GraphicControl* object = page_.Place(tool, {left, top, width, height}, cover::CoverFont{});
    object->SetBounds(left, top, width, height);
    panel_.Refresh();
    return object;
}

cover::DesignRect CoverPanelTest::Bounds(const cover::GraphicControl* object)
{
    return {object->Left(), object->Top(), object->Width(), object->Height()};
}

void CoverPanelTest::Click(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(&panel_, Qt::LeftButton, modifiers, at);
}

void CoverPanelTest::Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers, int heldMs)
{
    QTest::mousePress(&panel_, Qt::LeftButton, modifiers, from);
    QTest::mouseMove(&panel_, to, 1);
    QTest::mouseRelease(&panel_, Qt::LeftButton, modifiers, to, heldMs - 1);
}

void CoverPanelTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(&panel_, key, modifiers);
}

std::vector<ShownEntry> CoverPanelTest::MenuOf(const std::function<void()>& click, const std::string& choose)
{
    std::vector<ShownEntry> shown;
    QAction* chosen = nullptr;
    menuShown_ = false;
    panel_.SetMenuRunner([&](QMenu& menu, const QPoint&) {
        menuShown_ = true;
        Record(menu, "", choose, shown, chosen);
        if (!choose.empty()) {
            EXPECT_NE(chosen, nullptr) << choose;
            if (chosen != nullptr)
                chosen->trigger();
        }
    });
    click();
    panel_.SetMenuRunner([](QMenu&, const QPoint&) { ADD_FAILURE() << "a menu opened unexpectedly"; });
    return shown;
}

std::vector<ShownEntry> CoverPanelTest::RightClick(QPoint at, const std::string& choose)
{
    return MenuOf([&] { QTest::mouseClick(&panel_, Qt::RightButton, {}, at); }, choose);
}

std::vector<ShownEntry> CoverPanelTest::DoubleClick(QPoint at, const std::string& choose)
{
    return MenuOf([&] { QTest::mouseDClick(&panel_, Qt::LeftButton, {}, at); }, choose);
}

std::vector<std::string> CoverPanelTest::Enabled(const std::vector<ShownEntry>& entries)
{
    std::vector<std::string> texts;
    for (const ShownEntry& entry : entries) {
        if (entry.text != "-" && entry.enabled)
            texts.push_back(entry.text);
    }
    return texts;
}

std::vector<std::string> CoverPanelTest::Checked(const std::vector<ShownEntry>& entries)
{
    std::vector<std::string> texts;
    for (const ShownEntry& entry : entries) {
        if (entry.checked)
            texts.push_back(entry.text);
    }
    return texts;
}

std::string CoverPanelTest::ClipboardFile() const
{
    return folder_.filePath("Clipbrd.tmp").toStdString();
}

}  // namespace vl::test
