#include "ui/ReceiveTrayIcon.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

namespace vl::ui {

ReceiveTrayIcon::ReceiveTrayIcon(Commands commands, std::function<bool()> trayAvailable, QObject* parent)
    : QObject(parent), commands_(std::move(commands)), trayAvailable_(std::move(trayAvailable))
{
}

ReceiveTrayIcon::~ReceiveTrayIcon() = default;

void ReceiveTrayIcon::Follow(bool wanted, bool receiving, bool faxComingIn)
{
    const bool due = wanted && receiving;
    if (due && !icon_ && trayAvailable_())
        BuildIcon();
    if (!icon_)
        return;
    icon_->setToolTip(faxComingIn ? QStringLiteral("Vellora: a fax is coming in now")
                                  : QStringLiteral("Vellora: receive mode is on, waiting for faxes"));
    icon_->setVisible(due);
}

void ReceiveTrayIcon::BuildIcon()
{
    menu_ = std::make_unique<QMenu>();
    connect(menu_->addAction(QStringLiteral("Show Vellora")), &QAction::triggered, this, [this] { commands_.show(); });
    connect(menu_->addAction(QStringLiteral("Stop Receiving")), &QAction::triggered, this,
            [this] { commands_.stop(); });
    icon_ = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
    icon_->setContextMenu(menu_.get());
    connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            commands_.show();
    });
}

}  // namespace vl::ui
