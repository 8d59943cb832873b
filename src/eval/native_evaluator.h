// A native evaluator for the arithmetic that the repair and the scientific translation produce:
// numbers, "+", "-", "*", "/", "%", the power sign ("^" or "**"), parentheses, unary signs, the
// eleven Math calls and Infinity. It answers exactly what the engine would answer, with the same
// double operations and the same library functions; it also knows the malformed lines of these
// characters that the engine refuses (an unclosed parenthesis, a trailing operator, two numbers
// in a row), and declines everything else: a syntax it does not know, a literal the engine might
// round differently, nesting the engine might refuse. A declined expression goes to the engine,
// so declining is always safe.
#pragma once

#include <string_view>

namespace orlinde {

struct NativeResult {
  enum Kind {
    kValue,        // the engine computes `value` (before writing it as text)
    kEngineFails,  // the engine fails: its text would be empty
    kUnknown,      // only the engine can tell
  };
  Kind kind;
  double value;
};

NativeResult EvaluateNatively(std::string_view expression);

}  // namespace orlinde
