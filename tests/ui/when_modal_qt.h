// Answers a modal Qt dialog from inside its exec(): the offscreen tests use it to press the
// buttons a user would press.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace tracklore::test {

/// Runs `action` on the modal dialog of type T once it is up. If it never comes, the test
/// fails and whatever modal dialog is open is closed, so a broken dialog cannot hang the
/// suite.
template <class T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(5000);
    QObject::connect(timer, &QTimer::timeout, [timer, action, deadline] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (dialog != nullptr) {
            action(dialog);
            return;
        }
        ADD_FAILURE() << "expected modal dialog did not appear";
        if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            other->reject();
    });
    timer->start(10);
}

/// The child widget of type T named `name`; a missing one fails the test (and gives nullptr).
template <class T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

}  // namespace tracklore::test
