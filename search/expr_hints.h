// One line of help under an evaluation error, saying what to write instead: which side of
// a relation is text and which a number, or how a bare field becomes a condition.
#pragma once

#include <string>

#include "search/expr.h"

namespace tracklore {

/// Help for the type error of `node`, whose left operand gave `left` and right operand gave
/// `right` (null when it was not evaluated). "" when there is nothing useful to add.
std::string TypeErrorHint(const TExprBin& node, const TValue& left, const TValue* right);

/// Help for `operand` used where a condition belongs (under AND, OR, XOR or NOT) although
/// it gave `value`. "" unless the operand is a bare field.
std::string NoConditionHint(const TExpr& operand, const TValue& value);

}  // namespace tracklore
