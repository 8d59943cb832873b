#include "app/driver.h"

#include "eval/numbers.h"
#include "repair/repair.h"
#include "scientific/shown.h"
#include "scientific/translate.h"

namespace orlinde {

void CalculationDriver::CalculateAll() {
  const TextList lines = TextSplit(window_.GetBoxText(Control::编辑框1), "\r\n");
  window_.SetBoxText(Control::编辑框2, "");
  const int count = TextListCount(lines);
  for (int i = 1; i <= count; ++i) {
    const Text& line = lines[static_cast<std::size_t>(i) - 1];
    const Text prepared = window_.IsChecked(Control::选择框2) ? TranslateScientific(line)
                                                             : RepairExpression(line);
    const Text shown = BuildShownExpression(prepared, window_.IsChecked(Control::选择框2));
    window_.AppendBoxText(Control::编辑框2, TextConcat(shown, "="));
    Text result;
    if (TextEquals(window_.GetBoxText(Control::编辑框3), "")) {
      const double value = evaluator_.EvaluateToNumber(prepared);
      result = FormatNumber(value);
    } else {
      const double value = evaluator_.EvaluateToNumber(prepared);
      const auto decimals = TextToInteger(window_.GetBoxText(Control::编辑框3));
      result = FormatNumber(value, decimals);
    }
    window_.AppendBoxText(Control::编辑框2, TextConcat(result, "\r\n"));
  }
}

}  // namespace orlinde
