// The line of help under an evaluation error, saying what to write instead.
#include "search/expr_hints.h"

#include <algorithm>

#include "core/format.h"
#include "core/messages.h"
#include "core/text_scan.h"

namespace tracklore {

namespace {

bool IsNumber(TConstKind kind) {
    return kind == TConstKind::Integer || kind == TConstKind::Real;
}

// True when `text` is a whole number as the language writes it: digits only.
bool IsDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

// The relation written without blanks, as a user would type it.
std::string Relation(const std::string& name, TExprOp op, const std::string& constant) {
    return name + OperatorText(op) + constant;
}

}  // namespace

std::string TypeErrorHint(const TExprBin& node, const TValue& left, const TValue* right) {
    if (node.Op() == TExprOp::And || node.Op() == TExprOp::Or || node.Op() == TExprOp::Xor) {
        if (left.kind != TConstKind::Boolean) return NoConditionHint(node.Left(), left);
        if (right != nullptr && right->kind != TConstKind::Boolean) {
            return NoConditionHint(node.Right(), *right);
        }
        return "";
    }
    const auto* ident = dynamic_cast<const TExprIdent*>(&node.Left());
    const auto* constant = dynamic_cast<const TExprConst*>(&node.Right());
    if (ident == nullptr || constant == nullptr || right == nullptr) return "";
    const std::string& name = ident->Name();
    const std::string upper = AsciiUpper(name);
    if (left.kind == TConstKind::Boolean) return "";
    if (right->kind == TConstKind::Boolean) {
        return Format(msg::HintTruthValue, upper.c_str(),
                      left.kind == TConstKind::String ? msg::HintText : msg::HintNumber);
    }
    if (left.kind == TConstKind::String && IsNumber(right->kind)) {
        const std::string quoted = '"' + constant->Describe(0) + '"';
        return Format(msg::HintFieldIsText, upper.c_str(),
                      Relation(name, node.Op(), quoted).c_str());
    }
    // A number on the left: either a quoted constant or ~=.
    const TExprOp op = node.Op() == TExprOp::Contains ? TExprOp::Equal : node.Op();
    if (IsNumber(right->kind)) {
        return Format(msg::HintContainsIsForText, upper.c_str(),
                      Relation(name, op, constant->Describe(0)).c_str());
    }
    if (IsDigits(constant->StringValue())) {
        return Format(msg::HintFieldIsNumber, upper.c_str(),
                      Relation(name, op, constant->StringValue()).c_str());
    }
    return Format(msg::HintNumberWithoutQuotes, upper.c_str());
}

std::string NoConditionHint(const TExpr& operand, const TValue& value) {
    const auto* ident = dynamic_cast<const TExprIdent*>(&operand);
    if (ident == nullptr || value.kind == TConstKind::Boolean) return "";
    const std::string& name = ident->Name();
    const std::string example =
        value.kind == TConstKind::String ? name + "~=\"abc\"" : name + ">=1";
    return Format(msg::HintAloneIsNoCondition, AsciiUpper(name).c_str(), example.c_str());
}

}  // namespace tracklore
