// Errors of the catalogue: every failed catalogue operation, and the operations a result set
// refuses.
#pragma once

#include <stdexcept>
#include <string>

namespace tracklore {

/// A catalogue operation failed; carries the message text.
class EDBError : public std::runtime_error {
public:
    explicit EDBError(const std::string& message) : std::runtime_error(message) {}
};

/// An operation that a result set refuses (it owns no records).
class EDBInvalidOp : public EDBError {
public:
    explicit EDBInvalidOp(const std::string& message) : EDBError(message) {}
};

}  // namespace tracklore
