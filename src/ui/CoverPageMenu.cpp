#include "ui/CoverPageMenu.h"

#include <QAction>
#include <QMenu>

#include "ui/CoverCommands.h"
#include "ui/CoverMenuEntries.h"

namespace vl::ui {

std::unique_ptr<QMenu> MakeCoverPageMenu(CoverCommands& commands, CommandGuard& guard, QWidget* parent)
{
    auto menu = std::make_unique<QMenu>(parent);
    cover::DesignPage& page = commands.Page();
    const bool selected = !page.Selection().empty();
    // Commands take a copy: deleting from the selection while walking it
    // would lose objects.
    auto onSelection = [&page](void (cover::DesignPage::*command)(const std::vector<cover::GraphicControl*>&)) {
        return [&page, command] { (page.*command)(std::vector<cover::GraphicControl*>(page.Selection())); };
    };
    auto align = [&page](cover::AlignEdge edge) {
        return [&page, edge] { page.Align(std::vector<cover::GraphicControl*>(page.Selection()), edge); };
    };
    const auto forSelection = [selected](QAction* action) { action->setEnabled(selected); };

    forSelection(AddCommand(*menu, QStringLiteral("Bring To Front"), guard, onSelection(&cover::DesignPage::BringToFront)));
    forSelection(AddCommand(*menu, QStringLiteral("Send To Back"), guard, onSelection(&cover::DesignPage::SendToBack)));
    menu->addSeparator();
    forSelection(AddCommand(*menu, QStringLiteral("Cut"), guard, [&commands, &page] { commands.Cut(page.Selection()); }));
    forSelection(AddCommand(*menu, QStringLiteral("Copy"), guard, [&commands, &page] { commands.Copy(page.Selection()); }));
    AddCommand(*menu, QStringLiteral("Paste"), guard, [&commands] { commands.Paste(); })->setEnabled(commands.CanPaste());
    forSelection(AddCommand(*menu, QStringLiteral("Delete"), guard, onSelection(&cover::DesignPage::Delete)));
    menu->addSeparator();
    forSelection(AddCommand(*menu, QStringLiteral("Align Left"), guard, align(cover::AlignEdge::Left)));
    forSelection(AddCommand(*menu, QStringLiteral("Align Right"), guard, align(cover::AlignEdge::Right)));
    forSelection(AddCommand(*menu, QStringLiteral("Align Tops"), guard, align(cover::AlignEdge::Tops)));
    forSelection(AddCommand(*menu, QStringLiteral("Align Bottoms"), guard, align(cover::AlignEdge::Bottoms)));
    menu->addSeparator();
    forSelection(AddCommand(*menu, QStringLiteral("Center Vertically"), guard, onSelection(&cover::DesignPage::CenterVertically)));
    forSelection(AddCommand(*menu, QStringLiteral("Center Horizontally"), guard,
                            onSelection(&cover::DesignPage::CenterHorizontally)));
    menu->addSeparator();
    const bool anyObject = !page.Objects().empty();
    AddCommand(*menu, QStringLiteral("Lock All"), guard, [&page] { page.SetAllLocked(true); })->setEnabled(anyObject);
    AddCommand(*menu, QStringLiteral("Unlock All"), guard, [&page] { page.SetAllLocked(false); })->setEnabled(anyObject);
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("Mark All Selectable"), guard, [&page] { page.SetAllUnselectable(false); });
    AddCommand(*menu, QStringLiteral("Mark All Unselectable"), guard, [&page] { page.SetAllUnselectable(true); });
    menu->addSeparator();
    AddCommand(*menu, QStringLiteral("Select All"), guard, [&page] { page.SelectAll(); });
    menu->addSeparator();
    forSelection(AddCommand(*menu, QStringLiteral("Font"), guard, [&commands] { commands.SelectionFont(); }));
    return menu;
}

}  // namespace vl::ui
