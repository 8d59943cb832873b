// orlinde-batch-lines N: N distinct basic-mode arithmetic lines on standard output, each of 3 to
// 7 numbers with up to three decimals joined by + - * /, from a fixed seed.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
  std::mt19937_64 rng(20261211);
  std::set<std::string> seen;
  const char operators[] = "+-*/";
  while (static_cast<long>(seen.size()) < count) {
    const int numbers = 3 + static_cast<int>(rng() % 5);
    std::string line;
    for (int i = 0; i < numbers; ++i) {
      if (i > 0) line += operators[rng() % 4];
      line += std::to_string(rng() % 10000);
      const int decimals = static_cast<int>(rng() % 4);
      if (decimals > 0) {
        line += '.';
        for (int d = 0; d < decimals; ++d) line += static_cast<char>('0' + rng() % 10);
      }
    }
    if (seen.insert(line).second) std::printf("%s\n", line.c_str());
  }
  return 0;
}
