// The column layout text: written and read back, and refused whole when it is not a
// layout of every column.
#include "ui/column_layout.h"

#include <gtest/gtest.h>

namespace tracklore::ui {
namespace {

TEST(ColumnLayout, ReadsBackWhatItWrote) {
    const std::vector<TColumnPlace> places{{2, 140}, {0, 55}, {1, 100}};
    const std::string text = FormatColumnLayout(places);
    EXPECT_EQ(text, "2:140 0:55 1:100");
    EXPECT_EQ(ParseColumnLayout(text, 3), places);
}

TEST(ColumnLayout, RefusesAnythingButEveryColumnOnceWithASaneWidth) {
    for (const char* text :
         {"", "0:50 1:50", "0:50 1:50 2:50 3:50", "0:50 0:50 1:50", "0:50 1:50 3:50",
          "0:50 1:50 -1:50", "0:50 1:5 2:50", "0:50 1:50 2:99999", "0:50 1:50 2", "0:50 1:50 2:x",
          "a:1 b:2 c:3", "0:50 1:50 2:50junk"})
        EXPECT_FALSE(ParseColumnLayout(text, 3).has_value()) << text;
}

}  // namespace
}  // namespace tracklore::ui
