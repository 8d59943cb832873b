// A native evaluator for the arithmetic that the repair and the scientific translation produce:
// numbers, "+", "-", "*", "/", "%", the power sign ("^" or "**"), parentheses, unary signs, the
// eleven Math calls and Infinity. It answers exactly what the engine would answer, with the same
// double operations and the same library functions, and declines everything else: a syntax it
// does not know, a literal the engine might round differently, nesting the engine might refuse.
// A declined expression goes to the engine, so declining is always safe.
#pragma once

#include <optional>
#include <string_view>

namespace orlinde {

// The value the engine would compute for the expression, before it is written as text; nothing
// when the expression is not one this evaluator fully understands (including every expression
// the engine rejects).
std::optional<double> EvaluateNatively(std::string_view expression);

}  // namespace orlinde
