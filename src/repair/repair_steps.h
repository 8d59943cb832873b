// The ten steps of the basic-mode repair, one function each, in the order RepairExpression runs
// them. Every step reads only the working text left by the step before and returns the state it
// leaves behind; the steps are exposed here so that tests can check each one on its own. Steps 3
// to 10 expect a text made of the characters that step 2 keeps. Each step makes a fixed number of
// passes over its text, so the whole repair is linear in the line's length.
#pragma once

#include <array>
#include <string_view>

#include "text/text.h"

namespace orlinde {

struct RepairState {
  // The text under repair; after the last step it is the result.
  Text working;
  // The companion text of a step: either the copy that receives the step's edits while working is
  // read, or working with one class of characters overwritten by "#".
  Text shadow;
  // The number being read after a separator while the extra points are dropped.
  Text tail;
};

// All ten steps in order, without the quick check below: what RepairExpression returns.
Text RepairStepByStep(std::string_view line);

// Whether every step would leave the line exactly as it is: a well-formed expression of the
// kept characters, as most typed and pasted arithmetic already is. One pass, no copies.
bool IsAlreadyRepaired(std::string_view line);

// 1: full-width characters to ASCII, "×" and "÷" to "*" and "/", spaces removed.
RepairState Normalise(std::string_view line);
// 2: every character other than digits, ".", "+", "-", "*", "/", "^", "(" and ")" removed.
RepairState Filter(const RepairState& state);
// 3: a leading point gets a "0" before it; one trailing point is removed.
RepairState EndPoints(const RepairState& state);
// 4: in each number, every point after the first removed.
RepairState ExtraPoints(const RepairState& state);
// 5: a point after an operator or a parenthesis becomes "0."; a point before a parenthesis,
// "+", "-", "*", "/" or the end of the text is removed.
RepairState LonePoints(const RepairState& state);
// 6: a ")" before the first "(" becomes "("; the counts of "(" and ")" are balanced.
RepairState Parentheses(const RepairState& state);
// 7: "0" before a leading operator and after a trailing one.
RepairState EndOperators(const RepairState& state);
// 8: "0" between "(" and an operator.
RepairState OperatorAfterParenthesis(const RepairState& state);
// 9: each run of adjacent operators becomes one operator, keeping a sign that follows it.
RepairState OperatorRuns(const RepairState& state);
// 10: "*" between a digit or ")" and "(", and between ")" and a digit or "(".
RepairState ImpliedMultiplication(const RepairState& state);

using RepairStep = RepairState (*)(const RepairState&);

// Steps 2 to 10 in the order they run, after Normalise has made the first state from the line.
inline constexpr std::array<RepairStep, 9> kRepairStepsAfterNormalise = {
    Filter,
    EndPoints,
    ExtraPoints,
    LonePoints,
    Parentheses,
    EndOperators,
    OperatorAfterParenthesis,
    OperatorRuns,
    ImpliedMultiplication,
};

}  // namespace orlinde
