// Locale services over ICU: case-insensitive comparison and upper-casing, case-sensitive
// collation, lower-casing and the decimal separator. Texts are UTF-8.
//
// The locale is the user's (LC_ALL, LC_COLLATE or LANG) when that names a language, and
// ICU's root locale otherwise (C, POSIX, C.UTF-8). Tests pin it with SetLocale.
#pragma once

#include <string>
#include <string_view>

namespace tracklore::locale {

/// Chooses the locale by ICU name ("en_US", "de_DE", "tr_TR"); "" returns to the user's.
void SetLocale(const std::string& name);

/// The ICU name of the locale in use ("" for the root locale).
std::string CurrentLocaleName();

/// Locale-aware comparison that ignores case: negative, zero or positive.
int CompareIgnoreCase(std::string_view a, std::string_view b);

/// Locale-aware comparison in which case counts: negative, zero or positive.
int CompareCollate(std::string_view a, std::string_view b);

/// A byte string whose plain byte order (memcmp, shorter first on a common prefix) is the
/// order of CompareIgnoreCase; equal keys mean equal texts under that comparison.
std::string SortKeyIgnoreCase(std::string_view text);

/// The text in upper case by the locale's rules.
std::string UpperCase(std::string_view text);

/// The text in lower case by the locale's rules.
std::string LowerCase(std::string_view text);

/// True when `needle` occurs in `haystack` with both upper-cased by the locale's rules.
/// An empty needle occurs everywhere.
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);

/// The locale's decimal separator (one character, UTF-8 encoded).
std::string DecimalSeparator();

}  // namespace tracklore::locale
