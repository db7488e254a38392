// Errors of the stream layer: input/output failures, bad buffer sizes, bad compression
// parameters.
#pragma once

#include <stdexcept>
#include <string>

namespace tracklore {

/// An input/output failure of a file or stream; carries the message text.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& message) : std::runtime_error(message) {}
};

/// A stream was constructed with an unusable buffer size.
class EStreamCreate : public std::runtime_error {
public:
    explicit EStreamCreate(const std::string& message) : std::runtime_error(message) {}
};

/// A compressing stream was constructed with parameters it does not support.
class EBadFormat : public EInOutError {
public:
    explicit EBadFormat(const std::string& message) : EInOutError(message) {}
};

}  // namespace tracklore
