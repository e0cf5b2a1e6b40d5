// The icon in the system tray while receive mode waits for calls, for users
// who keep the main window out of sight: its tool tip says whether a fax is
// coming in, a click brings the window to the front, and its menu also stops
// receive mode. Where the desktop has no tray it shows nothing.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace vl::ui {

class ReceiveTrayIcon : public QObject {
public:
    struct Commands {
        std::function<void()> show;  // a click and "Show Vellora"
        std::function<void()> stop;  // "Stop Receiving"
    };

    // `trayAvailable` is asked each time the icon is due until it has been
    // made: a tray may start after the program.
    explicit ReceiveTrayIcon(Commands commands, std::function<bool()> trayAvailable, QObject* parent = nullptr);
    ~ReceiveTrayIcon() override;

    // Shown while `wanted` (the setting) and `receiving`; `faxComingIn`
    // while a call is being taken.
    void Follow(bool wanted, bool receiving, bool faxComingIn);

    // Null until the icon was first due on a desktop with a tray.
    QSystemTrayIcon* Icon() const { return icon_.get(); }
    QMenu* Menu() const { return menu_.get(); }

private:
    void BuildIcon();

    Commands commands_;
    std::function<bool()> trayAvailable_;
    // The icon does not own its menu, which has no parent window; it goes
    // first.
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace vl::ui
