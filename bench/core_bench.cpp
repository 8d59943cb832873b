// The calculation core: one evaluation, one number written, and the whole driver over many
// lines held in memory.
#include <benchmark/benchmark.h>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"
#include "eval/numbers.h"
#include "lines.h"

namespace orlinde {
namespace {

void BM_EvaluateExpression(benchmark::State& state) {
  Evaluator evaluator;
  for (auto _ : state) benchmark::DoNotOptimize(evaluator.EvaluateExpression("12.5*(3+4)/7-2^3"));
}
BENCHMARK(BM_EvaluateExpression);

void BM_NumberToText(benchmark::State& state) {
  double x = 1.0 / 3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(NumberToText(x));
    x += 0.25;
  }
}
BENCHMARK(BM_NumberToText);

void BM_TextToNumber(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(TextToNumber("0.30000000000000004"));
}
BENCHMARK(BM_TextToNumber);

// CalculateAll over N mixed basic-mode lines, in memory.
void BM_CalculateAll(benchmark::State& state) {
  MemoryWindow window;
  window.PutBoxText(Control::编辑框1, bench::MixedLines(static_cast<int>(state.range(0))));
  Evaluator evaluator;
  CalculationDriver driver(window, evaluator);
  driver.CalculateAll();  // the runs measured find every line remembered, as keystrokes do
  for (auto _ : state) driver.CalculateAll();
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CalculateAll)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The same input computed afresh every time: a paste into an empty box, or the command line.
void BM_CalculateAllFresh(benchmark::State& state) {
  const Text input = bench::MixedLines(static_cast<int>(state.range(0)));
  Evaluator evaluator;
  for (auto _ : state) {
    MemoryWindow window;
    window.PutBoxText(Control::编辑框1, input);
    CalculationDriver driver(window, evaluator);
    driver.CalculateAll();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CalculateAllFresh)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlinde
