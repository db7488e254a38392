// The quick filter: which rows of the All list match the typed words.
#include "ui/quick_filter.h"

#include <algorithm>

#include "platform/locale.h"

namespace tracklore::ui {

namespace {

// Artist, Title, Album, Comment, Filename.
constexpr int kSearchedColumns[] = {2, 3, 4, 6, 8};
// Between the texts: no typed word holds it, so no match spans two fields.
constexpr char kFieldBreak = '\n';

// Appends `text` lower-cased: ASCII in place (the usual case, without allocating), other
// texts through the locale's rules.
void AppendFolded(std::string& out, std::string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        out += locale::LowerCase(text);
        return;
    }
    for (char c : text)
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

void TQuickFilter::SetText(std::string_view text) {
    words_.clear();
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        size_t end = at;
        while (end < text.size() && !IsSpace(text[end]))
            ++end;
        if (end > at) {
            std::string word;
            AppendFolded(word, text.substr(at, end - at));
            if (std::find(words_.begin(), words_.end(), word) == words_.end())
                words_.push_back(std::move(word));
        }
        at = end;
    }
}

bool TQuickFilter::Matches(const TListRow& row) const {
    if (words_.empty()) return true;
    folded_.clear();
    for (int column : kSearchedColumns) {
        AppendFolded(folded_, row.Texts[column]);
        folded_ += kFieldBreak;
    }
    return std::all_of(words_.begin(), words_.end(), [this](const std::string& word) {
        return folded_.find(word) != std::string::npos;
    });
}

std::vector<int> TQuickFilter::MatchingRows(const TListView& list) const {
    std::vector<int> rows;
    for (int row = 0; row < list.RowCount(); ++row)
        if (Matches(list.Row(row))) rows.push_back(row);
    return rows;
}

}  // namespace tracklore::ui
