// Dialog sizes kept in the preferences store (offscreen): a size given in one run comes back
// in the next; a bad stored value leaves the default size; a size too large for the screen
// is cut to it.
#include "ui/window_sizes_qt.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "tests/support/temp_dir.h"
#include "ui/window_sizes.h"

namespace tracklore::ui {
namespace {

class WindowSizeStore : public testing::Test {
protected:
    WindowSizeStore() { SetWindowSizeStore(store_); }
    ~WindowSizeStore() override { SetWindowSizeStore(""); }

    // The size a window of default size 300 x 200 opens at under `key` in a new run.
    QSize OpenedSize(const char* key) {
        SetWindowSizeStore(store_);
        QWidget window;
        window.resize(300, 200);
        KeepSize(window, key);
        return window.size();
    }
    void Store(const char* key, const std::string& text) {
        platform::TRegistry registry(store_);
        ASSERT_TRUE(registry.OpenKey(platform::kRegistryKey, true));
        registry.WriteString(WindowSizeName(key), text);
    }

    test::TTempDir dir_;
    std::string store_ = dir_.Path("prefs.reg");
};

TEST_F(WindowSizeStore, SizeGivenInOneRunComesBackInTheNext) {
    {
        QWidget window;
        window.resize(300, 200);
        KeepSize(window, "Dialog");
        window.show();
        window.resize(410, 330);
        window.hide();
    }
    StoreWindowSizes();
    EXPECT_EQ(LoadWindowSize(store_, "Dialog"), (TWindowSize{410, 330}));
    EXPECT_EQ(OpenedSize("Dialog"), QSize(410, 330));
    EXPECT_EQ(OpenedSize("Other"), QSize(300, 200));
}

TEST_F(WindowSizeStore, BadValueLeavesTheDefaultAndTooLargeIsCutToTheScreen) {
    for (const char* text : {"garbage", "0x0", "-5x100", ""}) {
        Store("Dialog", text);
        EXPECT_EQ(OpenedSize("Dialog"), QSize(300, 200)) << text;
    }
    Store("Dialog", "16000x12000");
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_EQ(OpenedSize("Dialog"), QSize(16000, 12000).boundedTo(screen));
    EXPECT_LT(screen.width(), 16000);
}

}  // namespace
}  // namespace tracklore::ui
