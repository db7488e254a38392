// Test helper: skips a test when an outside program it drives (lame, ffmpeg, id3v2, eyeD3,
// mid3v2, ...) is not installed, so the suite runs on machines without them.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/mp3_factory.h"

namespace tracklore::test {

/// The first of `tools` that is not found in PATH, or "" when all are.
inline std::string MissingTool(const std::vector<std::string>& tools) {
    for (const std::string& tool : tools)
        if (!HaveTool(tool)) return tool;
    return "";
}
template <typename... Names>
std::string MissingTool(const char* first, Names... rest) {
    return MissingTool(std::vector<std::string>{first, rest...});
}

}  // namespace tracklore::test

/// Skips the current test unless every named program (or every one of a list) is found in
/// PATH: REQUIRE_TOOLS("lame", "id3v2"). For a test body or a fixture's SetUp.
#define REQUIRE_TOOLS(...)                                                              \
    do {                                                                                \
        const std::string missingTool_ = ::tracklore::test::MissingTool(__VA_ARGS__);   \
        if (!missingTool_.empty()) GTEST_SKIP() << missingTool_ << " is not installed"; \
    } while (false)
