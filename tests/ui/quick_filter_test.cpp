// The quick filter's matching rule: every typed word, in any case and order, in one of the
// searched texts (artist, title, album, comment, file name).
#include "ui/quick_filter.h"

#include <tuple>

#include <gtest/gtest.h>

#include "core/track_record.h"
#include "platform/locale.h"

namespace tracklore::ui {
namespace {

TListRow Row(const char* artist, const char* title, const char* album, const char* comment,
             const char* file, const char* genre = "Rock") {
    TListRow row;
    row.Texts[2] = artist;
    row.Texts[3] = title;
    row.Texts[4] = album;
    row.Texts[6] = comment;
    row.Texts[7] = genre;
    row.Texts[8] = file;
    return row;
}

struct Case {
    const char* typed;
    bool matches;
};

class QuickFilterMatch : public testing::TestWithParam<Case> {};

TEST_P(QuickFilterMatch, AgainstOneRow) {
    locale::SetLocale("en_US");
    const TListRow row =
        Row("The Beatles", "Let It Be", "Abbey Road", "remastered", "/music/Émile/let.mp3");
    TQuickFilter filter;
    filter.SetText(GetParam().typed);
    EXPECT_EQ(filter.Matches(row), GetParam().matches) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Words, QuickFilterMatch,
    testing::Values(Case{"", true}, Case{"   ", true}, Case{"beat", true},
                    Case{"BEATLES road", true},     // any case, words in two texts
                    Case{"road beatles", true},     // any order
                    Case{"remaster", true},         // the comment
                    Case{"émile", true},            // the file name, beyond ASCII
                    Case{"ÉMILE LET", true},        // upper case beyond ASCII
                    Case{"beatles stones", false},  // every word must be there
                    Case{"rock", false},            // the genre is not searched
                    Case{"beatleslet", false},      // no match across two texts
                    Case{"beatles\nlet", true}));   // any white space separates words

TEST(QuickFilter, MatchingRowsKeepListOrder) {
    TListView list(false);
    for (auto [artist, title, file] :
         {std::tuple{"A", "One", "/a.mp3"}, std::tuple{"B", "Two", "/b.mp3"},
          std::tuple{"A", "Three", "/c.mp3"}}) {
        TrackRecord record;
        record.Artist = artist;
        record.Title = title;
        record.Filename = file;
        list.AddRow(record);
    }
    TQuickFilter filter;
    filter.SetText("a");
    EXPECT_EQ(filter.MatchingRows(list), (std::vector<int>{0, 2}));
    filter.SetText("t");
    EXPECT_EQ(filter.MatchingRows(list), (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace tracklore::ui
