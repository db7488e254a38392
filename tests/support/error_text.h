// Test helper: the message of the exception an operation throws, so a test compares the
// text a user would see.
#pragma once

#include <exception>
#include <string>

namespace tracklore::test {

/// Runs `operation` and returns the message of the `Error` it throws, or "" when it throws
/// nothing. Any other exception passes through and fails the test.
template <typename Error = std::exception, typename Operation>
std::string ErrorOf(Operation&& operation) {
    try {
        operation();
    } catch (const Error& error) {
        return error.what();
    }
    return "";
}

}  // namespace tracklore::test
