// Test helper: names the instances of a parameterised test after the `name` member of their
// case, so a failing row of a table reads as the test it stands for.
#pragma once

#include <string>

namespace tracklore::test {

struct CaseName {
    template <typename ParamInfo>
    std::string operator()(const ParamInfo& instance) const {
        return instance.param.name;
    }
};

}  // namespace tracklore::test
