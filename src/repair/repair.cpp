#include "repair/repair.h"

#include "repair/repair_steps.h"

namespace orlinde {

Text RepairStepByStep(std::string_view line) {
  RepairState state = Normalise(line);
  for (const RepairStep step : kRepairStepsAfterNormalise) state = step(state);
  return state.working;
}

Text RepairExpression(std::string_view line) {
  // Lines that are already expressions pass every step unchanged; most lines are.
  if (IsAlreadyRepaired(line)) return Text(line);
  return RepairStepByStep(line);
}

}  // namespace orlinde
