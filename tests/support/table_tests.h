// Test helpers for tables: names for the rows of a parameterised test, one column of a list
// of results, and a check of a text function against rows of input and expected output.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace tracklore::test {

/// Names the instances of a parameterised test after the `name` member of their case, so a
/// failing row of a table reads as the test it stands for.
struct CaseName {
    template <typename ParamInfo>
    std::string operator()(const ParamInfo& instance) const {
        return instance.param.name;
    }
};

/// The `member` of every item, in order: one column of a table of results.
template <typename Item, typename Member>
std::vector<Member> Column(const std::vector<Item>& items, Member Item::*member) {
    std::vector<Member> column;
    for (const Item& item : items)
        column.push_back(item.*member);
    return column;
}

/// Checks `function(input)` against the expected text of every row; a failure names the
/// input.
template <typename Function>
void ExpectEach(Function function, const std::vector<std::pair<std::string, std::string>>& rows) {
    for (const auto& [input, expected] : rows)
        EXPECT_EQ(function(input), expected) << input;
}

}  // namespace tracklore::test
