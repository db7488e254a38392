// Evaluating a search expression on the records of a catalogue: the predicate that the
// catalogue's SelectWhere calls, and the selection of every matching record.
#pragma once

#include <memory>

#include "core/catalogue.h"
#include "search/expr.h"

namespace tracklore {

/// True when `expr` evaluates to the boolean true for `record`; false for false and for
/// any other kind of value (a bare identifier selects nothing). Raises EParserError as
/// evaluation does.
bool MatchesExpression(const TExpr& expr, const TrackRecord& record);

/// The same as a RecordPredicate for TTracklore::SelectWhere: `expr` is the tree's root.
bool MatchesExpression(void* expr, const TrackRecord& record);

/// A new result set over `set` holding, in slot order, every record that `expr` matches.
/// An evaluation error propagates and no result set is left behind.
std::unique_ptr<TTracklore> SelectMatching(TTracklore& set, const TExpr& expr);

}  // namespace tracklore
