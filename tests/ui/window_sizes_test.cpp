// Dialog sizes in the preferences store: written and read back by a later run, and ignored
// when the stored value is no sane size.
#include "ui/window_sizes.h"

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "streams/stream_errors.h"
#include "tests/support/temp_dir.h"
#include "ui/prefs.h"

namespace tracklore::ui {
namespace {

TEST(WindowSizes, StoredSizesAreReadBackBesideThePreferences) {
    test::TTempDir dir;
    const std::string store = dir.Path("prefs.reg");
    EXPECT_FALSE(LoadWindowSize(store, "ScanErrors"));  // no store yet
    SavePrefs(TPrefs(), store);
    SaveWindowSizes(store, {{"ScanErrors", {640, 420}}, {"SelectForm", {900, 500}}});
    EXPECT_EQ(LoadWindowSize(store, "ScanErrors"), (TWindowSize{640, 420}));
    EXPECT_EQ(LoadWindowSize(store, "SelectForm"), (TWindowSize{900, 500}));
    EXPECT_FALSE(LoadWindowSize(store, "ConfigPlayer"));
    TPrefs prefs;
    EXPECT_TRUE(LoadPrefs(prefs, store));  // the preferences are untouched
}

TEST(WindowSizes, ValueOfAnotherTypeOrAnUnreadableStoreGivesNoSize) {
    test::TTempDir dir;
    const std::string store = dir.Path("prefs.reg");
    platform::TRegistry registry(store);
    ASSERT_TRUE(registry.OpenKey(platform::kRegistryKey, true));
    registry.WriteInteger(WindowSizeName("ScanErrors"), 640);
    EXPECT_FALSE(LoadWindowSize(store, "ScanErrors"));
    test::WriteFileBytes(dir.Path("other.txt"), "not a store\n");
    EXPECT_FALSE(LoadWindowSize(dir.Path("other.txt"), "ScanErrors"));
    EXPECT_THROW(SaveWindowSizes(dir.Path("other.txt"), {{"ScanErrors", {1, 1}}}), EInOutError);
    EXPECT_EQ(test::ReadFileBytes(dir.Path("other.txt")), "not a store\n");
}

TEST(WindowSizes, OnlyTwoExtentsWithinRangeAreASize) {
    EXPECT_EQ(ParseWindowSize(FormatWindowSize({16384, 1})), (TWindowSize{16384, 1}));
    for (const char* text : {"", "640", "640x", "x480", "640x480x1", "0x480", "640x0", "-640x480",
                             "640x16385", "640 x 480", "640X480", "99999999999x1", "6a0x480"})
        EXPECT_FALSE(ParseWindowSize(text)) << text;
}

}  // namespace
}  // namespace tracklore::ui
