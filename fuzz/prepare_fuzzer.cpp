// The basic-mode repair and the scientific translation alone, on any line.
//
// The repair keeps only the 18 expression characters, and a line its quick check passes is one
// the ten steps leave unchanged. The translation keeps only digits, "+-*/^.()%", the eleven Math
// calls, «Infinity» (an infinite percentage) and the exponent of a rewritten percentage
// («1e-005»). So no prepared expression can hold a loop, a function, a string or a name the
// engine would look up, which is what keeps an engine without a time-out from being made to
// run for ever. Both are deterministic, and the number a result line shows is the engine's
// answer read back, bit for bit, whether the native evaluator or the engine computed it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "eval/evaluator.h"
#include "eval/numbers.h"
#include "fuzz_support.h"
#include "repair/repair.h"
#include "repair/repair_steps.h"
#include "scientific/translate.h"

namespace orlinde {
namespace {

using fuzz::Check;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsRepairAlphabet(std::string_view expression) {
  return expression.find_first_not_of("0123456789+-*/^().") == std::string_view::npos;
}

bool IsTranslationAlphabet(std::string_view expression) {
  static constexpr std::string_view kWords[] = {
      "Math.pow",  "Math.sqrt", "Math.abs", "Math.log", "Math.exp", "Math.asin",
      "Math.atan", "Math.acos", "Math.tan", "Math.sin", "Math.cos", "Infinity",
  };
  constexpr std::string_view kSigns = "+-*/^.()%";
  for (std::size_t i = 0; i < expression.size();) {
    const char c = expression[i];
    if (IsDigit(c) || kSigns.find(c) != std::string_view::npos) {
      ++i;
      continue;
    }
    // «1e-005»: a percentage's quotient written in the scientific form.
    if (c == 'e' && i > 0 && IsDigit(expression[i - 1]) && i + 1 < expression.size() &&
        (expression[i + 1] == '+' || expression[i + 1] == '-')) {
      ++i;
      continue;
    }
    bool word = false;
    for (const std::string_view w : kWords) {
      if (expression.substr(i).starts_with(w)) {
        i += w.size();
        word = true;
        break;
      }
    }
    if (!word) return false;
  }
  return true;
}

void CheckEvaluation(Evaluator& evaluator, const Text& expression) {
  const Text text = evaluator.EvaluateExpression(expression);
  Check(evaluator.EvaluateExpression(expression) == text, "evaluation is deterministic",
        expression);
  Check(fuzz::SameNumber(evaluator.EvaluateToNumber(expression), TextToNumber(text)),
        "EvaluateToNumber is TextToNumber of EvaluateExpression", expression);
}

}  // namespace
}  // namespace orlinde

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlinde;
  static Evaluator evaluator;
  const std::string_view line(reinterpret_cast<const char*>(data), size);

  const Text repaired = RepairExpression(line);
  Check(IsRepairAlphabet(repaired), "the repair keeps only the 18 characters", repaired);
  Check(RepairExpression(line) == repaired, "the repair is deterministic", line);
  if (IsAlreadyRepaired(line)) {
    Check(RepairStepByStep(line) == line, "a line the quick check passes is left unchanged", line);
  }

  const Text translated = TranslateScientific(line);
  const Text shown_copy = ScientificShownCopy();
  Check(IsTranslationAlphabet(translated), "the translation keeps only its alphabet", translated);
  Check(TranslateScientific(line) == translated, "the translation is deterministic", line);
  Check(ScientificShownCopy() == shown_copy, "the shown copy is deterministic", line);

  CheckEvaluation(evaluator, repaired);
  CheckEvaluation(evaluator, translated);
  return 0;
}
