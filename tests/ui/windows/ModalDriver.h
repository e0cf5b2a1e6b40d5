// Drives modal windows from inside their own event loop.
#pragma once

#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

namespace vl::test {

// Once a modal window is up, calls `act` with it (which should close it).
// Fails the test when none comes up within a few seconds.
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

}  // namespace vl::test
