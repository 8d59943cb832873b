#include "repair/repair.h"

namespace orlinde {

// The line goes to the evaluator as it is until the repair steps are in place.
Text RepairExpression(std::string_view line) { return Text(line); }

}  // namespace orlinde
