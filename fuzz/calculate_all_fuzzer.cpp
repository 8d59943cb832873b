// CalculateAll through the in-memory window on any input, with one engine kept across inputs as
// the window keeps it. The first byte picks the mode (bit 0: scientific), the second the length
// of the decimals text that follows it (0 to 31 bytes), and the rest is the input box.
//
// For every input: one result line per input line, each «shown=value» with one "=" and a value;
// a driver that remembers results gives what one that remembers nothing gives, also when asked
// again; and fixed lines computed afterwards give their usual results, so nothing an input does
// reaches a later result.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"
#include "fuzz_support.h"
#include "scientific/translate.h"

namespace orlinde {
namespace {

using fuzz::Check;

struct Settings {
  bool scientific = false;
  Text decimals;
  Text input;
};

Settings Read(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Settings settings;
  if (bytes.empty()) return settings;
  settings.scientific = (data[0] & 1) != 0;
  std::size_t at = 1;
  if (at < bytes.size()) {
    const std::size_t length = std::min<std::size_t>(data[at] % 32, bytes.size() - at - 1);
    settings.decimals = Text(bytes.substr(at + 1, length));
    at += 1 + length;
  }
  settings.input = Text(bytes.substr(std::min(at, bytes.size())));
  return settings;
}

Text Run(MemoryWindow& window, CalculationDriver& driver, const Settings& settings) {
  window.PutBoxText(Control::编辑框1, settings.input);
  window.PutBoxText(Control::编辑框3, settings.decimals);
  window.SetChecked(Control::选择框2, settings.scientific);
  driver.CalculateAll();
  return window.GetBoxText(Control::编辑框2);
}

Text RunAlone(Evaluator& evaluator, const Settings& settings) {
  MemoryWindow window;
  CalculationDriver driver(window, evaluator, {.remember_results = false});
  return Run(window, driver, settings);
}

void CheckResultLines(const Settings& settings, const Text& results) {
  const std::size_t lines = TextSplitViews(settings.input, "\r\n").size();
  const std::vector<std::string_view> result_lines = TextSplitViews(results, "\r\n");
  Check(result_lines.size() == lines, "one result line per input line", settings.input);
  Check(results.empty() || results.ends_with("\r\n"), "every result line ends in a line break",
        results);
  for (const std::string_view line : result_lines) {
    // The shown expression never holds "=", so the value is what follows the one "=".
    const std::size_t equals = line.find('=');
    Check(equals != std::string_view::npos, "a result line holds \"=\"", line);
    Check(line.find('=', equals + 1) == std::string_view::npos, "a result line holds one \"=\"",
          line);
    const std::string_view value = line.substr(equals + 1);
    Check(!value.empty() && value.size() < 200, "a value of 1 to 199 bytes", line);
    Check(value.find('\0') == std::string_view::npos, "a value without the byte 0", line);
  }
}

}  // namespace
}  // namespace orlinde

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orlinde;
  static Evaluator evaluator;
  static MemoryWindow window;
  static CalculationDriver remembering(window, evaluator);

  const Settings settings = Read(data, size);
  const Text results = Run(window, remembering, settings);
  const Text shown_copy = ScientificShownCopy();
  CheckResultLines(settings, results);

  Check(RunAlone(evaluator, settings) == results,
        "a driver that remembers nothing gives the same results", settings.input);
  Check(ScientificShownCopy() == shown_copy, "both drivers leave the same shown copy",
        settings.input);
  Check(Run(window, remembering, settings) == results, "the same input gives the same results",
        settings.input);

  // Lines after the input: the native path, the engine's path and the decimals.
  Check(RunAlone(evaluator, {false, "", "1+1"}) == "1+1=2\r\n", "«1+1» still gives 2",
        settings.input);
  Check(RunAlone(evaluator, {true, "", "log10(100)\r\n2^10"}) == "log10(100)=2\r\n2^10=1024\r\n",
        "the engine still answers", settings.input);
  Check(RunAlone(evaluator, {false, "2", "1/3"}) == "1/3=0.33\r\n", "decimals still round",
        settings.input);
  return 0;
}
