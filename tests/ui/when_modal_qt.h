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

/// How long a test waits for a dialog it expects. Generous: on a loaded machine the first
/// file dialog of a run may take seconds (Qt reads the MIME database then), and a deadline
/// that expires before a slow dialog is up would leave that dialog open with nobody to
/// answer it.
inline constexpr int kModalWaitMs = 60000;

/// Rejects every modal dialog from now on: after a dialog failed to come, whatever opens
/// later in the broken flow is closed too, so the suite fails instead of hanging.
inline void RejectModalsFromNowOn() {
    static QTimer* sweeper = nullptr;
    if (sweeper != nullptr) return;
    sweeper = new QTimer;
    QObject::connect(sweeper, &QTimer::timeout, [] {
        if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) open->reject();
    });
    sweeper->start(50);
}

/// Runs `action` on the modal dialog of type T once it is up. If it never comes, the test
/// fails and every modal dialog that is or becomes open is closed, so a broken dialog cannot
/// hang the suite.
template <class T>
void WhenModal(std::function<void(T*)> action) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(kModalWaitMs);
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
        RejectModalsFromNowOn();
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
