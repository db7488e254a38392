// The scanner half of TScannerParser: cutting the query text into tokens.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/format.h"
#include "core/messages.h"
#include "core/text_scan.h"
#include "platform/locale.h"
#include "search/scanner_parser.h"

namespace tracklore {

namespace {

struct Keyword {
    const char* upper;
    TToken kind;
};

constexpr Keyword kKeywords[] = {
    {"XOR", TToken::Xor}, {"OR", TToken::Or},     {"AND", TToken::And},
    {"NOT", TToken::Not}, {"TRUE", TToken::True}, {"FALSE", TToken::False},
};

}  // namespace

void TScannerParser::Reset(const std::string& text) {
    input_ = text;
    pos_ = 0;
    tokenText_.clear();
    kind_ = TToken::None;
    nesting_ = 0;
}

char TScannerParser::Current() const {
    return pos_ < input_.size() ? input_[pos_] : '\0';
}

int TScannerParser::CharPosition(size_t offset) const {
    // Positions count characters, so a UTF-8 sequence before the fault counts once.
    int position = 1;
    for (size_t i = 0; i < offset && i < input_.size(); ++i) {
        if ((static_cast<unsigned char>(input_[i]) & 0xC0) != 0x80) ++position;
    }
    if (offset > input_.size()) position += static_cast<int>(offset - input_.size());
    return position;
}

void TScannerParser::Fail(const char* message, size_t offset, const char* hint) const {
    throw EParserError(Format(message, CharPosition(offset)), hint);
}

void TScannerParser::NextToken() {
    if (input_.empty()) {
        kind_ = TToken::End;
        return;
    }
    while (Current() != '\0' && static_cast<unsigned char>(Current()) <= 32)
        ++pos_;
    kind_ = TToken::None;
    tokenText_.clear();
    const char c = Current();
    // One- and two-character operators: `second` turns `single` into `pair`.
    auto operatorToken = [this](TToken single, char second, TToken pair) {
        ++pos_;
        kind_ = single;
        if (Current() == second) {
            ++pos_;
            kind_ = pair;
        }
    };
    switch (c) {
        case '\0': kind_ = TToken::End; return;
        case '(':
            ++pos_;
            kind_ = TToken::OpenParen;
            return;
        case ')':
            ++pos_;
            kind_ = TToken::CloseParen;
            return;
        case '=': operatorToken(TToken::Equal, '=', TToken::Equal); return;
        case '>': operatorToken(TToken::Greater, '=', TToken::GreaterEqual); return;
        case '<': operatorToken(TToken::Less, '=', TToken::LessEqual); return;
        case '!':
        case '~':
            ++pos_;
            if (Current() != '=') {
                Fail(c == '!' ? msg::ExpectedEqualsAfterBang : msg::ExpectedEqualsAfterTilde, pos_);
            }
            ++pos_;
            kind_ = c == '!' ? TToken::NotEqual : TToken::Contains;
            return;
        case '"': ScanString(); return;
        default: break;
    }
    if (IsAsciiDigit(c)) {
        ScanNumber();
    } else if (IsAsciiLetter(c)) {
        ScanWord();
    } else {
        // Name the whole character, not only the first byte of its UTF-8 sequence.
        size_t length = 1;
        while (pos_ + length < input_.size() && length < 4 &&
               (static_cast<unsigned char>(c) & 0xC0) == 0xC0 &&
               (static_cast<unsigned char>(input_[pos_ + length]) & 0xC0) == 0x80) {
            ++length;
        }
        throw EParserError(Format(msg::UnexpectedCharacter, CharPosition(pos_),
                                  input_.substr(pos_, length).c_str()));
    }
}

void TScannerParser::ScanString() {
    ++pos_;
    const size_t start = pos_;
    while (Current() != '\0' && Current() != '"')
        ++pos_;
    if (Current() != '"') Fail(msg::MissingQuote, pos_);
    tokenText_.assign(input_, start, pos_ - start);
    ++pos_;
    kind_ = TToken::String;
}

void TScannerParser::ScanWord() {
    const size_t start = pos_;
    while (IsAsciiLetter(Current()) || IsAsciiDigit(Current()))
        ++pos_;
    tokenText_.assign(input_, start, pos_ - start);
    const std::string upper = AsciiUpper(tokenText_);
    kind_ = TToken::Ident;
    for (const Keyword& keyword : kKeywords) {
        if (upper == keyword.upper) kind_ = keyword.kind;
    }
}

void TScannerParser::ScanNumber() {
    constexpr int kRadix = 10;
    const std::string separator = locale::DecimalSeparator();
    const size_t start = pos_;
    // The whole part in extended precision, so long runs of digits cannot wrap around.
    long double whole = 0;
    long double fraction = 0;
    long double scale = 0.1L;
    bool seenSeparator = false;
    long double multiplier = 1;
    for (;;) {
        const char c = Current();
        if (!separator.empty() && input_.compare(pos_, separator.size(), separator) == 0) {
            if (seenSeparator) Fail(msg::MoreThanOneSeparator, pos_);
            seenSeparator = true;
            pos_ += separator.size();
            continue;
        }
        if (IsAsciiLetter(c)) {
            // A letter ends the number only as a size unit; any other is a digit too large.
            multiplier = SizeUnitAt(pos_, separator);
            if (multiplier == 0)
                Fail(msg::DigitLargerThanBase, pos_, msg::HintNumberRunsIntoLetters);
            pos_ += 2;
            break;
        }
        if (!IsAsciiDigit(c)) break;
        const int digit = c - '0';
        if (seenSeparator) {
            fraction += digit * scale;
            scale /= 10;
        } else {
            whole = whole * kRadix + digit;
        }
        ++pos_;
    }
    const bool plainNumber = !seenSeparator && multiplier == 1;
    if (plainNumber && pos_ + 1 < input_.size() && IsAsciiDigit(input_[pos_ + 1])) {
        if (Current() == ':') return ScanTime(whole, start);
        if (Current() == '-') return ScanDate(start);
    }
    const long double value = (whole + fraction) * multiplier;
    if (!seenSeparator || multiplier != 1) {
        // Plain integers, and sizes that come out whole and small enough, stay integers.
        if (value <= std::numeric_limits<int32_t>::max() && value == std::floor(value)) {
            integer_ = static_cast<int32_t>(value);
            kind_ = TToken::Integer;
            return;
        }
        if (!seenSeparator && multiplier == 1) Fail(msg::NumberTooLarge, start);
    }
    if (!(value <= std::numeric_limits<double>::max())) Fail(msg::NumberTooLarge, start);
    real_ = static_cast<double>(value);
    kind_ = TToken::Real;
}

}  // namespace tracklore
