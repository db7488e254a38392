// The expression tree's nodes: printing them and evaluating them on a record.
#include "search/expr.h"

#include <charconv>

#include "platform/locale.h"

namespace tracklore {

const char* OperatorText(TExprOp op) {
    switch (op) {
        case TExprOp::Or: return "OR";
        case TExprOp::Xor: return "XOR";
        case TExprOp::And: return "AND";
        case TExprOp::Equal: return "==";
        case TExprOp::NotEqual: return "!=";
        case TExprOp::Greater: return ">";
        case TExprOp::GreaterEqual: return ">=";
        case TExprOp::Less: return "<";
        case TExprOp::LessEqual: return "<=";
        case TExprOp::Contains: return "~=";
    }
    return "?";
}

std::string TExpr::Describe(int context) const {
    std::string out;
    DescribeTo(out, context);
    return out;
}

std::unique_ptr<TExprConst> TExpr::Evaluate(const TrackRecord& track) const {
    return TExprConst::FromValue(EvaluateValue(track));
}

std::unique_ptr<TExprConst> TExprConst::FromValue(const TValue& value) {
    switch (value.kind) {
        case TConstKind::Integer: return std::make_unique<TExprConst>(value.integer);
        case TConstKind::Real: return std::make_unique<TExprConst>(value.real);
        case TConstKind::Boolean: return std::make_unique<TExprConst>(value.boolean);
        case TConstKind::String: return std::make_unique<TExprConst>(std::string(value.text));
    }
    return std::make_unique<TExprConst>(false);
}

void TExprConst::DescribeTo(std::string& out, int /*context*/) const {
    switch (kind_) {
        case TConstKind::Integer: out += std::to_string(integer_); break;
        case TConstKind::Real: {
            // to_chars ignores the C library's locale, so the separator is always ours.
            char buffer[64];
            const auto result = std::to_chars(buffer, buffer + sizeof buffer, real_,
                                              std::chars_format::general, 15);
            const std::string separator = locale::DecimalSeparator();
            for (const char* p = buffer; p != result.ptr; ++p) {
                if (*p == '.') {
                    out += separator;
                } else {
                    out += *p;
                }
            }
            break;
        }
        case TConstKind::Boolean: out += boolean_ ? "true" : "false"; break;
        case TConstKind::String:
            out += '"';
            out += text_;
            out += '"';
            break;
    }
}

void TExprIdent::DescribeTo(std::string& out, int /*context*/) const {
    out += name_;
}

void TExprNot::DescribeTo(std::string& out, int /*context*/) const {
    out += "NOT ";
    operand_->DescribeTo(out, 0);
}

void TExprBin::DescribeTo(std::string& out, int context) const {
    const int code = static_cast<int>(op_);
    const bool wrap = code < context;
    if (wrap) out += "( ";
    left_->DescribeTo(out, code);
    out += ' ';
    out += OperatorText(op_);
    out += ' ';
    right_->DescribeTo(out, code + 1);
    if (wrap) out += " )";
}

}  // namespace tracklore
