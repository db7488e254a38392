// The search expression tree: relations of a record field against a constant, joined by AND,
// OR and XOR and negated by NOT. Printing (Describe) and evaluation on one record (Evaluate).
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/track_record.h"

namespace tracklore {

/// Every error of scanning, parsing and evaluating an expression. Besides its message it may
/// carry one line of help saying what to write instead, which the dialogs show under it.
class EParserError : public std::runtime_error {
public:
    explicit EParserError(const std::string& message, const std::string& hint = {})
        : std::runtime_error(message), hint_(hint) {}
    explicit EParserError(const char* message) : std::runtime_error(message), hint_("") {}

    /// The line of help, or "" when the message says it all.
    const char* Hint() const noexcept { return hint_.what(); }

private:
    std::runtime_error hint_;  // a text whose copies cannot throw
};

/// Operator codes of TExprBin. The code is also the node's binding strength when printed.
enum class TExprOp : uint8_t {
    Or = 0,
    Xor = 1,
    And = 2,
    Equal = 3,
    NotEqual = 4,
    Greater = 5,
    GreaterEqual = 6,
    Less = 7,
    LessEqual = 8,
    Contains = 9,
};

/// Kinds of constant values.
enum class TConstKind : uint8_t { Integer = 0, Real = 1, Boolean = 2, String = 3 };

/// A value met during evaluation, without ownership: `text` points into the record, the
/// tree or the genre table, all of which outlive one evaluation.
struct TValue {
    TConstKind kind = TConstKind::Boolean;
    int32_t integer = 0;
    double real = 0;
    bool boolean = false;
    std::string_view text;

    static TValue Integer(int32_t value) { return {TConstKind::Integer, value, 0, false, {}}; }
    static TValue Real(double value) { return {TConstKind::Real, 0, value, false, {}}; }
    static TValue Boolean(bool value) { return {TConstKind::Boolean, 0, 0, value, {}}; }
    static TValue String(std::string_view value) {
        return {TConstKind::String, 0, 0, false, value};
    }
};

class TExprConst;

/// A node of the tree. A node owns its operands; freeing the root frees the tree.
class TExpr {
public:
    virtual ~TExpr() = default;

    /// The printed form; the root is printed with context 0.
    std::string Describe(int context = 0) const;
    /// Appends the printed form to `out`: one buffer for the whole tree.
    virtual void DescribeTo(std::string& out, int context) const = 0;

    /// The node's value for `track` as a new constant owned by the caller.
    std::unique_ptr<TExprConst> Evaluate(const TrackRecord& track) const;
    /// The node's value for `track` without allocating: what Evaluate and the search use.
    /// EParserError on a type error, an unknown identifier or NOT on a non-boolean.
    virtual TValue EvaluateValue(const TrackRecord& track) const = 0;
};

/// A literal: integer, real, boolean or string. Only the field of its kind is meaningful.
class TExprConst final : public TExpr {
public:
    explicit TExprConst(int32_t value) : kind_(TConstKind::Integer), integer_(value) {}
    explicit TExprConst(double value) : kind_(TConstKind::Real), real_(value) {}
    explicit TExprConst(bool value) : kind_(TConstKind::Boolean), boolean_(value) {}
    explicit TExprConst(std::string value) : kind_(TConstKind::String), text_(std::move(value)) {}
    explicit TExprConst(const char* value) : TExprConst(std::string(value)) {}
    /// A constant holding `value` (its text copied).
    static std::unique_ptr<TExprConst> FromValue(const TValue& value);

    TConstKind Kind() const { return kind_; }
    int32_t IntegerValue() const { return integer_; }
    double RealValue() const { return real_; }
    bool BooleanValue() const { return boolean_; }
    const std::string& StringValue() const { return text_; }

    void DescribeTo(std::string& out, int context) const override;
    TValue EvaluateValue(const TrackRecord& track) const override;

private:
    TConstKind kind_;
    int32_t integer_ = 0;
    double real_ = 0;
    bool boolean_ = false;
    std::string text_;
};

/// A record field by name. The name is kept in lower case and checked only when evaluated.
class TExprIdent final : public TExpr {
public:
    explicit TExprIdent(std::string_view name);

    const std::string& Name() const { return name_; }

    void DescribeTo(std::string& out, int context) const override;
    TValue EvaluateValue(const TrackRecord& track) const override;

private:
    std::string name_;
    int field_;  // index into the identifier table, or -1 for an unknown name
};

/// NOT of a boolean operand.
class TExprNot final : public TExpr {
public:
    explicit TExprNot(std::unique_ptr<TExpr> operand) : operand_(std::move(operand)) {}

    void DescribeTo(std::string& out, int context) const override;
    TValue EvaluateValue(const TrackRecord& track) const override;

private:
    std::unique_ptr<TExpr> operand_;
};

/// AND, OR, XOR of booleans, or a relation of two values. `op` may be any byte; codes
/// outside 0 to 9 fail when evaluated.
class TExprBin final : public TExpr {
public:
    TExprBin(std::unique_ptr<TExpr> left, std::unique_ptr<TExpr> right, TExprOp op);

    const TExpr& Left() const { return *left_; }
    const TExpr& Right() const { return *right_; }
    TExprOp Op() const { return op_; }

    void DescribeTo(std::string& out, int context) const override;
    TValue EvaluateValue(const TrackRecord& track) const override;

private:
    bool Contains(std::string_view haystack, std::string_view needle) const;
    // The type error of this node, with help drawn from its operands' values (`right` null
    // when the right operand was not evaluated).
    [[noreturn]] void ThrowTypeError(const TValue& left, const TValue* right) const;

    std::unique_ptr<TExpr> left_;
    std::unique_ptr<TExpr> right_;
    TExprOp op_;
    // For ~= with a string constant on the right: that constant lower-cased once, and
    // whether the locale lower-cases ASCII letters the plain way (then an ASCII field can
    // be searched without lower-casing a copy).
    bool haveNeedle_ = false;
    bool plainAscii_ = false;
    std::string needle_;
};

/// The printed text of an operator code ("OR", "==", "~=" ...), "?" for unknown codes.
const char* OperatorText(TExprOp op);

}  // namespace tracklore
