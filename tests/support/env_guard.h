// Test helpers that change a process-wide setting for one scope and put the old one back:
// an environment variable, and the locale the text functions use.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/locale.h"

namespace tracklore::test {

/// Sets an environment variable (or removes it, given no value) until the guard ends, then
/// restores the value it had, or its absence.
class TEnvGuard {
public:
    TEnvGuard(std::string name, const std::optional<std::string>& value) : name_(std::move(name)) {
        if (const char* old = std::getenv(name_.c_str())) old_ = old;
        Set(value);
    }
    ~TEnvGuard() { Put(name_, old_); }
    TEnvGuard(const TEnvGuard&) = delete;
    TEnvGuard& operator=(const TEnvGuard&) = delete;

    /// Changes the value again while the guard lasts.
    void Set(const std::optional<std::string>& value) const { Put(name_, value); }

private:
    static void Put(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> old_;
};

/// Switches the locale of the text functions (collation, case, decimal separator) until
/// the guard ends, then restores the one before.
class TLocaleGuard {
public:
    explicit TLocaleGuard(const std::string& name) : old_(locale::CurrentLocaleName()) {
        locale::SetLocale(name);
    }
    ~TLocaleGuard() { locale::SetLocale(old_); }
    TLocaleGuard(const TLocaleGuard&) = delete;
    TLocaleGuard& operator=(const TLocaleGuard&) = delete;

private:
    std::string old_;
};

}  // namespace tracklore::test
