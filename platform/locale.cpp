// Locale services over ICU: collation with and without case, sort keys and case mapping.
#include "platform/locale.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <unicode/coll.h>
#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>
#include <unicode/sortkey.h>
#include <unicode/stringpiece.h>
#include <unicode/unistr.h>

namespace tracklore::locale {
namespace {

// The user's locale from the environment, in ICU's form, or "" when it names no language.
std::string LocaleFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        std::string name(value);
        name = name.substr(0, name.find_first_of(".@"));  // drop ".UTF-8" and "@euro"
        if (name.empty() || name == "C" || name == "POSIX") return "";
        return name;
    }
    return "";
}

struct LocaleState {
    icu::Locale locale;
    std::unique_ptr<icu::Collator> ignoreCase;  // secondary strength: case ignored
    std::unique_ptr<icu::Collator> caseSensitive;
    bool asciiCaseRules = true;  // upper/lower-casing of ASCII is the plain one
    std::string decimalSeparator;
};

std::unique_ptr<icu::Collator> MakeCollator(const icu::Locale& locale,
                                            icu::Collator::ECollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> collator(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status) || !collator) {
        status = U_ZERO_ERROR;
        collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    collator->setStrength(strength);
    return collator;
}

LocaleState MakeState(const std::string& name) {
    LocaleState state;
    state.locale = name.empty() ? icu::Locale::getRoot() : icu::Locale(name.c_str());
    if (state.locale.isBogus()) state.locale = icu::Locale::getRoot();
    state.ignoreCase = MakeCollator(state.locale, icu::Collator::SECONDARY);
    state.caseSensitive = MakeCollator(state.locale, icu::Collator::TERTIARY);
    // Turkish, Azeri and Lithuanian change the casing of ASCII letters (i, I).
    const char* language = state.locale.getLanguage();
    state.asciiCaseRules = std::strcmp(language, "tr") != 0 && std::strcmp(language, "az") != 0 &&
                           std::strcmp(language, "lt") != 0;
    UErrorCode status = U_ZERO_ERROR;
    icu::DecimalFormatSymbols symbols(state.locale, status);
    if (U_SUCCESS(status)) {
        symbols.getSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol)
            .toUTF8String(state.decimalSeparator);
    }
    if (state.decimalSeparator.empty()) state.decimalSeparator.assign(1, '.');
    return state;
}

LocaleState& State() {
    static LocaleState state = MakeState(LocaleFromEnvironment());
    return state;
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

int Sign(UCollationResult result) {
    return result == UCOL_LESS ? -1 : result == UCOL_EQUAL ? 0 : 1;
}

icu::StringPiece Piece(std::string_view text) {
    return icu::StringPiece(text.data(), static_cast<int32_t>(text.size()));
}

// Upper- or lower-cases by the locale's rules, with a plain path for ASCII where the locale
// cases ASCII letters the usual way.
std::string ChangeCase(std::string_view text, bool upper) {
    const LocaleState& state = State();
    std::string result;
    if (state.asciiCaseRules && IsAscii(text)) {
        result.assign(text);
        const char from = upper ? 'a' : 'A';
        const char to = upper ? 'A' : 'a';
        for (char& c : result) {
            if (c >= from && c <= from + 25) c = static_cast<char>(c - from + to);
        }
        return result;
    }
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(Piece(text));
    (upper ? unicode.toUpper(state.locale) : unicode.toLower(state.locale)).toUTF8String(result);
    return result;
}

}  // namespace

void SetLocale(const std::string& name) {
    State() = MakeState(name.empty() ? LocaleFromEnvironment() : name);
}

std::string CurrentLocaleName() {
    return State().locale.getName();
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    return Sign(State().ignoreCase->compareUTF8(Piece(a), Piece(b), status));
}

int CompareCollate(std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    return Sign(State().caseSensitive->compareUTF8(Piece(a), Piece(b), status));
}

std::string SortKeyIgnoreCase(std::string_view text) {
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(Piece(text));
    const icu::Collator& collator = *State().ignoreCase;
    uint8_t local[256];
    int32_t length = collator.getSortKey(unicode, local, sizeof local);
    std::string key;
    if (length <= static_cast<int32_t>(sizeof local)) {
        key.assign(reinterpret_cast<const char*>(local), static_cast<size_t>(length));
    } else {
        key.resize(static_cast<size_t>(length));
        collator.getSortKey(unicode, reinterpret_cast<uint8_t*>(key.data()), length);
    }
    if (!key.empty() && key.back() == '\0') key.pop_back();  // ICU's terminator
    return key;
}

std::string UpperCase(std::string_view text) {
    return ChangeCase(text, true);
}

std::string LowerCase(std::string_view text) {
    return ChangeCase(text, false);
}

bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle) {
    if (needle.empty()) return true;
    return UpperCase(haystack).find(UpperCase(needle)) != std::string::npos;
}

std::string DecimalSeparator() {
    return State().decimalSeparator;
}

}  // namespace tracklore::locale
