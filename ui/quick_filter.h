// The quick filter of the All list: which rows show while the user types in the tool bar's
// filter box. It only decides what the list shows; the catalogue, the Selected page and the
// commands never see it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/views.h"

namespace tracklore::ui {

class TQuickFilter {
public:
    /// The typed text: words separated by white space, compared without regard to case.
    void SetText(std::string_view text);
    /// True when no word was typed: every row shows.
    bool Empty() const { return words_.empty(); }
    /// True when every word occurs in the row's artist, title, album, comment or file name
    /// (each word in any of them, in any order).
    bool Matches(const TListRow& row) const;
    /// The rows of `list` that match, in list order.
    std::vector<int> MatchingRows(const TListView& list) const;

private:
    std::vector<std::string> words_;
    mutable std::string folded_;  // the row's searched texts, lower-cased; reused per row
};

}  // namespace tracklore::ui
