// The engine stays inside its bounds: whatever heap limit it is given, it either starts or
// answers nothing, and a line that needs more heap than the limit fails alone.
#include <gtest/gtest.h>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"

namespace orlinde {
namespace {

// Below what the engine needs to start, an allocation that fails while its heap is being
// created used to make it recurse until the stack ran out; now such a limit only means that
// the engine never starts.
TEST(EngineContainment, EveryHeapLimitEitherStartsTheEngineOrAnswersNothing) {
  int started = 0;
  for (std::size_t limit = 4 << 10; limit <= std::size_t{1} << 20; limit += 4 << 10) {
    Evaluator evaluator(limit);
    const Text first = evaluator.EvaluateExpression("1+1");
    EXPECT_TRUE(first == "2" || first.empty()) << limit;
    if (first == "2") {
      ++started;
      EXPECT_EQ(evaluator.EvaluateExpression("Math.sqrt(16)"), "4") << limit;
    } else {
      EXPECT_EQ(evaluator.EvaluateExpression("2"), "") << limit;
    }
  }
  EXPECT_GT(started, 0);
  EXPECT_EQ(Evaluator(4 << 10).EvaluateExpression("1+1"), "");
}

// A million digits need about a megabyte of the engine's heap to compile; a heap of two fails
// that line, and the next ones, which need the engine too, are answered.
TEST(EngineContainment, ALineTooBigForTheHeapFailsAloneThroughTheDriver) {
  Evaluator evaluator(std::size_t{2} << 20);
  MemoryWindow window;
  CalculationDriver driver(window, evaluator);
  const Text big = Text(1'000'000, '9');
  const Text nines = Text(400, '9');
  window.PutBoxText(Control::编辑框1, big + "\r\n" + nines + "\r\n1+1\r\n" + big);
  driver.CalculateAll();
  const Text expected = big + "=0\r\n" + nines + "=1.#INF\r\n1+1=2\r\n" + big + "=0\r\n";
  EXPECT_TRUE(window.GetBoxText(Control::编辑框2) == expected);
  window.SetChecked(Control::选择框2, true);
  window.PutBoxText(Control::编辑框1, "log10(100)");
  driver.CalculateAll();
  EXPECT_EQ(window.GetBoxText(Control::编辑框2), "log10(100)=2\r\n");
}

}  // namespace
}  // namespace orlinde
