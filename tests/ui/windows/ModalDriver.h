// Drives modal windows from inside their own event loop.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace vl::test {

// Once a modal window other than the one active now is up, calls `act` with
// it (which should close it). Fails the test when none comes up in time.
void WhenModal(std::function<void(QWidget&)> act);

// The child of that name and type; fails the test when there is none.
template <class T>
T* Child(const QWidget& parent, const char* name)
{
    T* child = parent.findChild<T*>(QLatin1String(name));
    if (child == nullptr)
        ADD_FAILURE() << "no child named " << name;
    return child;
}

// Answers every modal window a long command opens (a whole fax call): every
// tenth of a second the window on top, if any, goes to `answer`, which
// presses its buttons. The window active when it starts is left alone.
// Stops when destroyed.
class ModalResponder : public QObject {
public:
    explicit ModalResponder(std::function<void(QWidget& modal)> answer);

private:
    void Poll();

    std::function<void(QWidget&)> answer_;
    QPointer<QWidget> before_;
    QTimer timer_;
    QSet<QWidget*> answering_;
};

// The text a message box or error window shows: its title and labels.
std::string ModalText(const QWidget& modal);
// Closes it as its "Ok" button would.
void CloseModal(QWidget& modal);

}  // namespace vl::test
