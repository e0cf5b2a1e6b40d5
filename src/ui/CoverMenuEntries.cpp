#include "ui/CoverMenuEntries.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "ui/CommandGuard.h"

namespace vl::ui {

QAction* AddCommand(QMenu& menu, const QString& text, CommandGuard& guard, std::function<void()> command)
{
    QAction* action = menu.addAction(text);
    QObject::connect(action, &QAction::triggered, &menu, guard.Slot(std::move(command)));
    return action;
}

void AddChoices(QMenu& menu, const QStringList& texts, int checked, CommandGuard& guard,
                std::function<void(int)> choose)
{
    auto* group = new QActionGroup(&menu);
    for (int i = 0; i < texts.size(); ++i) {
        QAction* action = AddCommand(menu, texts[i], guard, [choose, i] { choose(i); });
        action->setCheckable(true);
        action->setChecked(i == checked);
        group->addAction(action);
    }
}

}  // namespace vl::ui
