#include "ui/HelpButton.h"

#include <memory>

#include "ui/CommandGuard.h"
#include "ui/HelpWindow.h"

namespace vl::ui {

QPushButton* HelpButton(const QString& caption, app::HelpTopic topic, QWidget* parent)
{
    return HelpButton(caption, [topic] { return topic; }, parent);
}

QPushButton* HelpButton(const QString& caption, std::function<app::HelpTopic()> topic, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString(caption).remove(QLatin1Char('&')).remove(QLatin1Char(' ')));
    button->setAutoDefault(false);
    // A failure shows in the window the button belongs to.
    auto guard = std::make_shared<CommandGuard>(*parent, nullptr);
    QObject::connect(button, &QPushButton::clicked, button, [guard, topic = std::move(topic), parent] {
        guard->Run([&topic, parent] { HelpWindow::ShowTopic(topic(), parent); });
    });
    return button;
}

}  // namespace vl::ui
