// The basic-mode repair on a typical line and on long pasted lines, and the literal reference on
// the middle size as a baseline: the shipped repair should grow linearly with the line.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>

#include "../tests/repair_reference.h"
#include "repair/repair.h"

namespace orlinde {
namespace {

// A pasted line heavy in what the later steps work on: parentheses, points, operator runs, with
// some digits, letters, spaces and full-width characters among them.
std::string MixedLine(std::size_t length) {
  static constexpr const char* kPieces[] = {"(",
                                            ")",
                                            ".",
                                            ".",
                                            "+",
                                            "-",
                                            "*",
                                            "/",
                                            "^",
                                            "--",
                                            "0",
                                            "1",
                                            "2",
                                            "7",
                                            "9",
                                            "5",
                                            "a",
                                            " ",
                                            "\xA3\xAB" /* ＋ */,
                                            "\xA3\xB3" /* ３ */,
                                            "\xA1\xC1" /* × */};
  std::mt19937 rng(42);
  std::string line;
  while (line.size() < length) line += kPieces[rng() % std::size(kPieces)];
  line.resize(length);
  return line;
}

void BM_RepairTypicalLine(benchmark::State& state) {
  // 40 bytes in code page 936, with full-width «１２３．５» among them.
  const std::string line = "2(3+.5)*\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xAE\xA3\xB5 - 12% + (4.5.6)/--7^2";
  for (auto _ : state) benchmark::DoNotOptimize(RepairExpression(line));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
  state.counters["bytes"] = static_cast<double>(line.size());
}
BENCHMARK(BM_RepairTypicalLine);

void BM_RepairLongLine(benchmark::State& state) {
  const std::string line = MixedLine(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(RepairExpression(line));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepairLongLine)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_RepairReferenceLongLine(benchmark::State& state) {
  const std::string line = MixedLine(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceRepairExpression(line));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RepairReferenceLongLine)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace orlinde
