// The expression evaluator: one ECMAScript engine, created once and kept for the life of its
// owner, that evaluates one prepared expression at a time and returns the value as a text.
//
// Every failure (a syntax or run-time error, an expression that needs more memory than the
// engine's bounded heap) gives the empty text; so do undefined, null and the empty string.
// Numbers come back as their ECMAScript text («0.30000000000000004», «Infinity», «NaN»).
// "^" is the power sign (right-associative, binding tighter than a unary minus), numbers with
// leading zeros are decimal, and the built-ins are frozen before the first evaluation, so an
// evaluation is a pure function of its expression.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "text/text.h"

namespace orlinde {

class Evaluator {
 public:
  static constexpr std::size_t kDefaultHeapLimit = std::size_t{512} << 20;

  explicit Evaluator(std::size_t heap_limit_bytes = kDefaultHeapLimit);
  ~Evaluator();
  Evaluator(const Evaluator&) = delete;
  Evaluator& operator=(const Evaluator&) = delete;

  Text EvaluateExpression(std::string_view expression);

  // TextToNumber of EvaluateExpression, the number a result line shows. The arithmetic that the
  // repair and the translation produce is answered natively, bit for bit as the engine would,
  // without compiling it; everything else goes through the engine.
  double EvaluateToNumber(std::string_view expression);

  // The names the engine's global object offers, for checking what an expression can reach.
  TextList GlobalNames();

 private:
  struct Engine;
  std::unique_ptr<Engine> engine_;
};

// The expression as the engine is given it, in UTF-8: "^" written as "**" and leading zeros of
// numbers dropped, so that «010» is ten and never an octal literal. Exposed for tests.
std::string EngineSource(std::string_view expression);

}  // namespace orlinde
