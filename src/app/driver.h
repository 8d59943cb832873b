// The calculation driver: rebuilds the whole results box from the whole input box, one result
// line («shown expression=value») for every input line, in input order.
//
// A line's result depends only on the line, the mode and the text of the decimals box, so the
// driver remembers each line's result from one run to the next and prepares and evaluates only
// the lines it has not seen: a keystroke in a long input costs one line's work. It replaces the
// results box's text once per run, which leaves the same text with the caret after it as
// emptying the box and appending to it line by line would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/window_services.h"
#include "eval/evaluator.h"

namespace orlinde {

class CalculationDriver {
 public:
  struct Options {
    // Whether results are kept for the next run; a single run (the command line) gains nothing.
    bool remember_results = true;
  };

  CalculationDriver(WindowServices& window, Evaluator& evaluator)
      : CalculationDriver(window, evaluator, Options()) {}
  CalculationDriver(WindowServices& window, Evaluator& evaluator, Options options)
      : window_(window), evaluator_(evaluator), options_(options) {}

  void CalculateAll();

  // The bytes of the lines and results remembered for the next run, for tests.
  std::size_t remembered_bytes() const { return remembered_bytes_; }

 private:
  struct Result {
    Text line;         // «shown=value\r\n»
    Text shown_copy;   // what the translation left for the line, in scientific mode
    unsigned run = 0;  // the last run that showed it
  };

  // Lines are looked up by view, without making a key for the ones already known.
  struct LineHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view line) const {
      return std::hash<std::string_view>()(line);
    }
  };

  Result Calculate(std::string_view line, bool scientific, bool with_decimals,
                   std::int32_t decimals);
  static std::size_t Bytes(std::string_view line, const Result& result) {
    return line.size() + result.line.size() + result.shown_copy.size();
  }

  WindowServices& window_;
  Evaluator& evaluator_;
  Options options_;

  // Results by line, all made with the same settings, and those settings.
  std::unordered_map<std::string, Result, LineHash, std::equal_to<>> remembered_;
  bool remembered_scientific_ = false;
  Text remembered_decimals_;
  std::size_t remembered_bytes_ = 0;
  unsigned run_ = 0;
};

}  // namespace orlinde
