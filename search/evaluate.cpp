// Evaluating a search expression: the predicate that selects a catalogue's records.
#include "search/evaluate.h"

#include <array>
#include <string_view>

#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "platform/locale.h"
#include "search/expr_hints.h"

namespace tracklore {

namespace {

struct Identifier {
    std::string_view name;
    TValue (*value)(const TrackRecord& record);
};

// Searched in this order; the first equal name wins.
constexpr std::array<Identifier, 14> kIdentifiers = {{
    {"id", [](const TrackRecord& r) { return TValue::Integer(r.ID); }},
    {"volume", [](const TrackRecord& r) { return TValue::String(r.Volume.view()); }},
    {"artist", [](const TrackRecord& r) { return TValue::String(r.Artist.view()); }},
    {"title", [](const TrackRecord& r) { return TValue::String(r.Title.view()); }},
    {"album", [](const TrackRecord& r) { return TValue::String(r.Album.view()); }},
    {"time", [](const TrackRecord& r) { return TValue::Integer(r.PlayLength); }},
    {"filesize", [](const TrackRecord& r) { return TValue::Real(r.FileSize); }},
    {"genre", [](const TrackRecord& r) { return TValue::String(GenreNames[r.Genre]); }},
    {"filename", [](const TrackRecord& r) { return TValue::String(r.Filename.view()); }},
    {"comment", [](const TrackRecord& r) { return TValue::String(r.Comment.view()); }},
    {"year", [](const TrackRecord& r) { return TValue::String(r.Year.view()); }},
    {"samplerate", [](const TrackRecord& r) { return TValue::Integer(r.SampleRate); }},
    {"kbitrate", [](const TrackRecord& r) { return TValue::Integer(r.BitRate); }},
    {"date", [](const TrackRecord& r) { return TValue::Real(r.FileDate); }},
}};

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Identifiers are ASCII words, so they are lower-cased the plain way: the locale's rules
// would turn "ID" into a dotless "ıd" in Turkish and name no field.
std::string LowerName(std::string_view name) {
    if (!IsAscii(name)) return locale::LowerCase(name);
    std::string lower(name);
    for (char& c : lower)
        c = AsciiLower(c);
    return lower;
}

bool LocaleLowersAsciiPlainly() {
    return locale::LowerCase("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == "abcdefghijklmnopqrstuvwxyz";
}

// `needle` is lower-case and not empty; `haystack` is ASCII and lower-cased as it is read.
bool ContainsAsciiLowered(std::string_view haystack, std::string_view needle) {
    if (needle.size() > haystack.size()) return false;
    const size_t last = haystack.size() - needle.size();
    for (size_t at = 0; at <= last; ++at) {
        if (AsciiLower(haystack[at]) != needle[0]) continue;
        size_t i = 1;
        while (i < needle.size() && AsciiLower(haystack[at + i]) == needle[i])
            ++i;
        if (i == needle.size()) return true;
    }
    return false;
}

bool IsNumber(const TValue& value) {
    return value.kind == TConstKind::Integer || value.kind == TConstKind::Real;
}

long double Extended(const TValue& value) {
    return value.kind == TConstKind::Integer ? static_cast<long double>(value.integer)
                                             : static_cast<long double>(value.real);
}

// A comparison result (negative, zero, positive) read through a relation's code.
bool Holds(TExprOp op, int order) {
    switch (op) {
        case TExprOp::Equal: return order == 0;
        case TExprOp::NotEqual: return order != 0;
        case TExprOp::Greater: return order > 0;
        case TExprOp::GreaterEqual: return order >= 0;
        case TExprOp::Less: return order < 0;
        default: return order <= 0;
    }
}

}  // namespace

TExprIdent::TExprIdent(std::string_view name) : name_(LowerName(name)), field_(-1) {
    for (size_t i = 0; i < kIdentifiers.size(); ++i) {
        if (kIdentifiers[i].name == name_) {
            field_ = static_cast<int>(i);
            break;
        }
    }
}

TExprBin::TExprBin(std::unique_ptr<TExpr> left, std::unique_ptr<TExpr> right, TExprOp op)
    : left_(std::move(left)), right_(std::move(right)), op_(op) {
    if (op_ != TExprOp::Contains) return;
    const auto* constant = dynamic_cast<const TExprConst*>(right_.get());
    if (constant && constant->Kind() == TConstKind::String) {
        needle_ = locale::LowerCase(constant->StringValue());
        plainAscii_ = LocaleLowersAsciiPlainly();
        haveNeedle_ = true;
    }
}

TValue TExprConst::EvaluateValue(const TrackRecord& /*track*/) const {
    switch (kind_) {
        case TConstKind::Integer: return TValue::Integer(integer_);
        case TConstKind::Real: return TValue::Real(real_);
        case TConstKind::Boolean: return TValue::Boolean(boolean_);
        case TConstKind::String: return TValue::String(text_);
    }
    return TValue::Boolean(false);
}

TValue TExprIdent::EvaluateValue(const TrackRecord& track) const {
    if (field_ < 0) {
        std::string names;
        for (const Identifier& identifier : kIdentifiers) {
            if (!names.empty()) names += ", ";
            names += identifier.name;
        }
        throw EParserError(Format(msg::UnknownIdentifier, name_.c_str()),
                           Format(msg::HintValidNames, names.c_str()));
    }
    return kIdentifiers[static_cast<size_t>(field_)].value(track);
}

TValue TExprNot::EvaluateValue(const TrackRecord& track) const {
    const TValue value = operand_->EvaluateValue(track);
    if (value.kind != TConstKind::Boolean) {
        throw EParserError(msg::NotOnNonBoolean, NoConditionHint(*operand_, value));
    }
    return TValue::Boolean(!value.boolean);
}

void TExprBin::ThrowTypeError(const TValue& left, const TValue* right) const {
    throw EParserError(Format(msg::TypeError, Describe(0).c_str()),
                       TypeErrorHint(*this, left, right));
}

bool TExprBin::Contains(std::string_view haystack, std::string_view needle) const {
    if (haveNeedle_) {
        if (needle_.empty()) return false;
        if (plainAscii_ && IsAscii(haystack)) return ContainsAsciiLowered(haystack, needle_);
        return locale::LowerCase(haystack).find(needle_) != std::string::npos;
    }
    if (needle.empty()) return false;
    return locale::LowerCase(haystack).find(locale::LowerCase(needle)) != std::string::npos;
}

TValue TExprBin::EvaluateValue(const TrackRecord& track) const {
    switch (op_) {
        case TExprOp::And:
        case TExprOp::Or: {
            const TValue left = left_->EvaluateValue(track);
            if (left.kind != TConstKind::Boolean) ThrowTypeError(left, nullptr);
            // AND stops at false, OR at true: the right side is not looked at.
            if (left.boolean == (op_ == TExprOp::Or)) return left;
            const TValue right = right_->EvaluateValue(track);
            if (right.kind != TConstKind::Boolean) ThrowTypeError(left, &right);
            return right;
        }
        case TExprOp::Xor: {
            const TValue left = left_->EvaluateValue(track);
            const TValue right = right_->EvaluateValue(track);
            if (left.kind != TConstKind::Boolean || right.kind != TConstKind::Boolean) {
                ThrowTypeError(left, &right);
            }
            return TValue::Boolean(left.boolean != right.boolean);
        }
        case TExprOp::Equal:
        case TExprOp::NotEqual:
        case TExprOp::Greater:
        case TExprOp::GreaterEqual:
        case TExprOp::Less:
        case TExprOp::LessEqual:
        case TExprOp::Contains: {
            const TValue left = left_->EvaluateValue(track);
            const TValue right = right_->EvaluateValue(track);
            if (left.kind == TConstKind::String && right.kind == TConstKind::String) {
                if (op_ == TExprOp::Contains)
                    return TValue::Boolean(Contains(left.text, right.text));
                return TValue::Boolean(Holds(op_, locale::CompareCollate(left.text, right.text)));
            }
            if (IsNumber(left) && IsNumber(right) && op_ != TExprOp::Contains) {
                const long double a = Extended(left);
                const long double b = Extended(right);
                // A NaN date read from a file is unordered: only != holds for it.
                if (!(a < b) && !(a > b) && !(a == b)) {
                    return TValue::Boolean(op_ == TExprOp::NotEqual);
                }
                return TValue::Boolean(Holds(op_, a < b ? -1 : (a > b ? 1 : 0)));
            }
            ThrowTypeError(left, &right);
        }
    }
    throw EParserError(msg::OperatorEvalFailed);
}

bool MatchesExpression(const TExpr& expr, const TrackRecord& record) {
    const TValue value = expr.EvaluateValue(record);
    return value.kind == TConstKind::Boolean && value.boolean;
}

bool MatchesExpression(void* expr, const TrackRecord& record) {
    return MatchesExpression(*static_cast<const TExpr*>(expr), record);
}

std::unique_ptr<TTracklore> SelectMatching(TTracklore& set, const TExpr& expr) {
    return set.SelectWhere(MatchesExpression, const_cast<TExpr*>(&expr));
}

}  // namespace tracklore
