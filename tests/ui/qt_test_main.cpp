// Entry point of the Qt wiring tests: one offscreen QApplication for all of them.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/locale.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    tracklore::locale::SetLocale("en_US");
    return RUN_ALL_TESTS();
}
