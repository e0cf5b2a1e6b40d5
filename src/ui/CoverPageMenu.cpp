#include "ui/CoverPageMenu.h"

#include <QAction>
#include <QMenu>

#include "ui/CoverCommands.h"
#include "ui/CoverMenuEntries.h"

namespace vl::ui {

namespace {

using Targets = std::vector<cover::GraphicControl*>;

}  // namespace

std::unique_ptr<QMenu> MakeCoverPageMenu(CoverCommands& commands, CommandGuard& guard, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    cover::DesignPage& page = commands.Page();
    const bool selected = !page.Selection().empty();
    const bool anyObject = !page.Objects().empty();
    const auto add = [&](const char* text, bool enabled, std::function<void()> command) {
        AddCommand(*menu, QString::fromLatin1(text), guard, std::move(command))->setEnabled(enabled);
    };
    // Commands get a copy of the selection: deleting from it while walking
    // it would miss objects.
    const auto onSelection = [&page](void (cover::DesignPage::*command)(const Targets&)) {
        return [&page, command] { (page.*command)(Targets(page.Selection())); };
    };
    const auto align = [&page](cover::AlignEdge edge) {
        return [&page, edge] { page.Align(Targets(page.Selection()), edge); };
    };

    add("Bring To Front", selected, onSelection(&cover::DesignPage::BringToFront));
    add("Send To Back", selected, onSelection(&cover::DesignPage::SendToBack));
    menu->addSeparator();
    add("Cut", selected, [&commands, &page] { commands.Cut(page.Selection()); });
    add("Copy", selected, [&commands, &page] { commands.Copy(page.Selection()); });
    add("Paste", commands.CanPaste(), [&commands] { commands.Paste(); });
    add("Delete", selected, onSelection(&cover::DesignPage::Delete));
    menu->addSeparator();
    add("Align Left", selected, align(cover::AlignEdge::Left));
    add("Align Right", selected, align(cover::AlignEdge::Right));
    add("Align Tops", selected, align(cover::AlignEdge::Tops));
    add("Align Bottoms", selected, align(cover::AlignEdge::Bottoms));
    menu->addSeparator();
    add("Center Vertically", selected, onSelection(&cover::DesignPage::CenterVertically));
    add("Center Horizontally", selected, onSelection(&cover::DesignPage::CenterHorizontally));
    menu->addSeparator();
    add("Lock All", anyObject, [&page] { page.SetAllLocked(true); });
    add("Unlock All", anyObject, [&page] { page.SetAllLocked(false); });
    menu->addSeparator();
    add("Mark All Selectable", true, [&page] { page.SetAllUnselectable(false); });
    add("Mark All Unselectable", true, [&page] { page.SetAllUnselectable(true); });
    menu->addSeparator();
    add("Select All", true, [&page] { page.SelectAll(); });
    menu->addSeparator();
    add("Font", selected, [&commands] { commands.SelectionFont(); });
    return menu;
}

}  // namespace vl::ui
