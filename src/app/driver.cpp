#include "app/driver.h"

#include "eval/numbers.h"
#include "repair/repair.h"
#include "scientific/shown.h"
#include "scientific/translate.h"

namespace orlinde {

CalculationDriver::Result CalculationDriver::Calculate(std::string_view line, bool scientific,
                                                       bool with_decimals, std::int32_t decimals) {
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
  const Text input = window_.GetBoxText(Control::编辑框1);
  const std::vector<std::string_view> lines = TextSplitViews(input, "\r\n");
  if (lines.empty()) {
    window_.ReplaceBoxText(Control::编辑框2, "");
    return;
  }

  // Nothing can change the mode or the decimals while a run goes on (the run holds the one
  // thread, and changes of the results box have no action), so they are read once.
  const bool scientific = window_.IsChecked(Control::选择框2);
  const Text decimals_text = window_.GetBoxText(Control::编辑框3);
  const bool with_decimals = !TextEquals(decimals_text, "");
  const std::int32_t decimals = with_decimals ? TextToInteger(decimals_text) : 0;

  // A result line is its shown expression, about as long as its line, and a value.
  Text results;
  results.reserve(input.size() + lines.size() * 24);
  if (!options_.remember_results) {
    // Each translation leaves its line's shown form behind, the last line's last.
    for (const std::string_view line : lines) {
      results += Calculate(line, scientific, with_decimals, decimals).line;
    }
    window_.ReplaceBoxText(Control::编辑框2, std::move(results));
    return;
  }

  // Results serve only while the settings they were made with hold.
  if (scientific != remembered_scientific_ || decimals_text != remembered_decimals_) {
    remembered_.clear();
    remembered_bytes_ = 0;
    remembered_scientific_ = scientific;
    remembered_decimals_ = decimals_text;
  }
  ++run_;
  remembered_.reserve(lines.size());
  const Result* last = nullptr;
  std::size_t run_bytes = 0;
  for (const std::string_view line : lines) {
    auto entry = remembered_.find(line);
    if (entry == remembered_.end()) {
      entry = remembered_.emplace(line, Calculate(line, scientific, with_decimals, decimals)).first;
      remembered_bytes_ += Bytes(line, entry->second);
    }
    run_bytes += Bytes(line, entry->second);
    entry->second.run = run_;
    results += entry->second.line;
    last = &entry->second;
  }
  // The translation leaves the last line's shown form behind, whether or not it ran this time.
  if (scientific) RestoreScientificShownCopy(last->shown_copy);
  // Lines no longer in the input are forgotten once they outnumber the input's own, or once
  // they hold more bytes than its own results twice over and a megabyte, so that typing into a
  // long line does not keep every earlier version of it.
  if (remembered_.size() > 2 * lines.size() + 1024 ||
      remembered_bytes_ > 2 * run_bytes + (std::size_t{1} << 20)) {
    std::erase_if(remembered_, [this](const auto& entry) { return entry.second.run != run_; });
    remembered_bytes_ = 0;
    for (const auto& [line, result] : remembered_) remembered_bytes_ += Bytes(line, result);
  }
  window_.ReplaceBoxText(Control::编辑框2, std::move(results));
}

}  // namespace orlinde
