// The calculation driver: rebuilds the whole results box from the whole input box, one result
// line («shown expression=value») for every input line, in input order.
#pragma once

#include "app/window_services.h"
#include "eval/evaluator.h"

namespace orlinde {

class CalculationDriver {
 public:
  CalculationDriver(WindowServices& window, Evaluator& evaluator)
      : window_(window), evaluator_(evaluator) {}

  void CalculateAll();

 private:
  WindowServices& window_;
  Evaluator& evaluator_;
};

}  // namespace orlinde
