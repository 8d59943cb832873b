#include <benchmark/benchmark.h>

#include "../tests/scientific_reference.h"
#include "scientific/translate.h"
#include "text/codec.h"

namespace orlinde {
namespace {

// A line of `size` bytes, mostly percentages, some of which chain into the next number.
Text PercentageLine(std::size_t size) {
  Text line;
  const Text piece = Utf8ToText("12.5%+5%5%*（3%）-sqrt(4)+");
  while (line.size() < size) line += piece;
  line.resize(size);
  return line;
}

void BM_TranslateTypicalLine(benchmark::State& state) {
  const Text line = Utf8ToText("三角函数：tan(2)+sin(2)+cos(2)+50%");
  for (auto _ : state) benchmark::DoNotOptimize(TranslateScientific(line));
}
BENCHMARK(BM_TranslateTypicalLine);

void BM_TranslateMillionCharacterLine(benchmark::State& state) {
  const Text line = PercentageLine(1'000'000);
  for (auto _ : state) benchmark::DoNotOptimize(TranslateScientific(line));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_TranslateMillionCharacterLine)->Unit(benchmark::kMillisecond);

// The same 10,000-byte line through the shipped translation and the literal restarting loop.
void BM_TranslateTenThousandCharacterLine(benchmark::State& state) {
  const Text line = PercentageLine(10'000);
  for (auto _ : state) benchmark::DoNotOptimize(TranslateScientific(line));
}
BENCHMARK(BM_TranslateTenThousandCharacterLine)->Unit(benchmark::kMillisecond);

void BM_ReferenceTranslateTenThousandCharacterLine(benchmark::State& state) {
  const Text line = PercentageLine(10'000);
  for (auto _ : state) benchmark::DoNotOptimize(testing::ReferenceTranslate(line));
}
BENCHMARK(BM_ReferenceTranslateTenThousandCharacterLine)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orlinde
