// Test entry point: pins the locale so results never depend on the machine's LANG.
#include <gtest/gtest.h>

#include "platform/locale.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    tracklore::locale::SetLocale("en_US");
    return RUN_ALL_TESTS();
}
