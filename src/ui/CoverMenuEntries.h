// Building blocks of the cover designer's pop-up menus: entries whose
// command runs through the designer's guard.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;

namespace vl::ui {

class CommandGuard;

QAction* AddCommand(QMenu& menu, const QString& text, CommandGuard& guard, std::function<void()> command);

// A group of entries of which the one at `checked` carries the check mark
// (none when it is out of range); choosing one calls `choose` with its
// position.
void AddChoices(QMenu& menu, const QStringList& texts, int checked, CommandGuard& guard,
                std::function<void(int)> choose);

}  // namespace vl::ui
