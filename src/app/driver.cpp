#include "app/driver.h"

#include "eval/numbers.h"
#include "repair/repair.h"
#include "scientific/shown.h"
#include "scientific/translate.h"

namespace orlinde {

CalculationDriver::Result CalculationDriver::Calculate(std::string_view line, bool scientific,
                                                       bool with_decimals,
                                                       std::int32_t decimals) {
  const Text prepared = scientific ? TranslateScientific(line) : RepairExpression(line);
  Result result;
  result.line = BuildShownExpression(prepared, scientific);
  if (scientific) result.shown_copy = ScientificShownCopy();
  result.line += '=';
  const double value = evaluator_.EvaluateToNumber(prepared);
  result.line += with_decimals ? FormatNumber(value, decimals) : FormatNumber(value);
  result.line += "\r\n";
  return result;
}

void CalculationDriver::CalculateAll() {
  // On the heap, so that the views into it stay put when it is kept for the next run.
  auto input = std::make_unique<const Text>(window_.GetBoxText(Control::编辑框1));
  const std::vector<std::string_view> lines = TextSplitViews(*input, "\r\n");
  window_.SetBoxText(Control::编辑框2, "");
  if (lines.empty()) return;

  // Nothing can change the mode or the decimals while a run goes on (the run holds the one
  // thread, and changes of the results box have no action), so they are read once.
  const bool scientific = window_.IsChecked(Control::选择框2);
  const Text decimals_text = window_.GetBoxText(Control::编辑框3);
  const bool with_decimals = !TextEquals(decimals_text, "");
  const std::int32_t decimals = with_decimals ? TextToInteger(decimals_text) : 0;

  // A result line is its shown expression, about as long as its line, and a value.
  Text results;
  results.reserve(input->size() + lines.size() * 24);
  if (!options_.remember_results) {
    // Each translation leaves its line's shown form behind, the last line's last.
    for (const std::string_view line : lines) {
      results += Calculate(line, scientific, with_decimals, decimals).line;
    }
    window_.AppendBoxText(Control::编辑框2, std::move(results));
    return;
  }

  // Results of the last run serve only if they were made with the same settings.
  std::unique_ptr<const Text> previous_input;
  std::unordered_map<std::string_view, Result> previous;
  if (scientific == remembered_scientific_ && decimals_text == remembered_decimals_) {
    previous_input = std::move(remembered_input_);
    previous.swap(remembered_);
  }
  remembered_.clear();
  remembered_scientific_ = scientific;
  remembered_decimals_ = decimals_text;

  const Result* last = nullptr;
  for (const std::string_view line : lines) {
    auto [entry, inserted] = remembered_.try_emplace(line);
    if (inserted) {
      const auto earlier = previous.find(line);
      entry->second = earlier != previous.end()
                          ? std::move(earlier->second)
                          : Calculate(line, scientific, with_decimals, decimals);
    }
    results += entry->second.line;
    last = &entry->second;
  }
  // The keys are views into the input, which now lives as long as they do.
  remembered_input_ = std::move(input);
  // The translation leaves the last line's shown form behind, whether or not it ran this time.
  if (scientific) RestoreScientificShownCopy(last->shown_copy);
  window_.AppendBoxText(Control::编辑框2, std::move(results));
}

}  // namespace orlinde
