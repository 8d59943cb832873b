// The shipped repair against the literal reference on random lines, step by step, so that a
// difference names the step that made it. The seed is fixed: a failure repeats on every run.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "repair/repair.h"
#include "repair_reference.h"
#include "repair_test_support.h"

namespace orlinde::testing {
namespace {

struct Piece {
  std::string bytes;
  int weight;
};

// Everything a typed or pasted line can hold, in code page 936 bytes, weighted so that the
// expression characters meet each other often enough to reach every rule.
std::vector<Piece> FreeTextPieces() {
  std::vector<Piece> pieces;
  for (char c : std::string_view("0123456789")) pieces.push_back({std::string(1, c), 3});
  for (char c : std::string_view("+-*/^().")) pieces.push_back({std::string(1, c), 6});
  for (char c : std::string_view("aeZ%,#\t\r\n ")) pieces.push_back({std::string(1, c), 1});
  // Full-width digits, operators, parentheses, point, percent and letters.
  for (unsigned char second :
       {0xB0, 0xB5, 0xB9, 0xAB, 0xAD, 0xAA, 0xAF, 0xDE, 0xA8, 0xA9, 0xAE, 0xA5, 0xC1, 0xE1}) {
    pieces.push_back({std::string{'\xA3', static_cast<char>(second)}, 2});
  }
  // Ideographic space, "～", "☆", "★", "×", "÷".
  for (unsigned char second : {0xA1, 0xAB, 0xEE, 0xEF, 0xC1, 0xC2}) {
    pieces.push_back({std::string{'\xA1', static_cast<char>(second)}, 2});
  }
  // Two-byte characters whose second byte looks like an expression character: «奮» is 0x8A 0x5E.
  for (unsigned char lead : {0x81, 0x8A, 0xB0, 0xD6, 0xFE}) {
    for (char second : std::string_view("^(+.)-*/5")) {
      pieces.push_back({std::string{static_cast<char>(lead), second}, 1});
    }
  }
  pieces.push_back({"\x80", 2});  // the euro sign, a character of its own
  pieces.push_back({"\xFF", 1});
  return pieces;
}

// Only the characters the filter keeps, for lines that exercise the later steps hardest.
std::vector<Piece> ExpressionPieces() {
  std::vector<Piece> pieces;
  for (char c : std::string_view("0123456789")) pieces.push_back({std::string(1, c), 2});
  for (char c : std::string_view("+-*/^")) pieces.push_back({std::string(1, c), 5});
  for (char c : std::string_view("().")) pieces.push_back({std::string(1, c), 8});
  return pieces;
}

class RandomLines {
 public:
  RandomLines(std::vector<Piece> pieces, std::uint32_t seed)
      : pieces_(std::move(pieces)), rng_(seed) {
    for (const Piece& p : pieces_) total_weight_ += p.weight;
  }

  // 0 to 40 characters, sometimes followed by a lead byte with nothing after it.
  std::string Next() {
    std::string line;
    const int count = static_cast<int>(rng_() % 41);
    for (int i = 0; i < count; ++i) line += Pick().bytes;
    if (rng_() % 16 == 0) line += static_cast<char>(0x81 + rng_() % 0x7E);
    return line;
  }

 private:
  const Piece& Pick() {
    int r = static_cast<int>(rng_() % static_cast<std::uint32_t>(total_weight_));
    for (const Piece& p : pieces_) {
      if (r < p.weight) return p;
      r -= p.weight;
    }
    return pieces_.back();
  }

  std::vector<Piece> pieces_;
  std::mt19937 rng_;
  int total_weight_ = 0;
};

constexpr int kLinesPerRun = 100000;

// Compares every step of every line and stops after a few differing lines, which is enough to
// see the fault without flooding the log.
void ExpectSameAsReference(RandomLines lines) {
  int differing = 0;
  for (int n = 0; n < kLinesPerRun && differing < 5; ++n) {
    const std::string line = lines.Next();
    const auto shipped = ShippedRepairSteps(line);
    const auto expected = ReferenceRepairSteps(line);
    for (std::size_t step = 0; step < kRepairStepCount; ++step) {
      if (shipped[step] == expected[step]) continue;
      ADD_FAILURE() << "line " << n << " " << ShowText(line) << "\nafter step " << step + 1 << " "
                    << kRepairStepNames[step] << ": shipped " << ShowText(shipped[step])
                    << "\n    reference " << ShowText(expected[step]);
      ++differing;
      break;
    }
    ASSERT_EQ(RepairExpression(line), shipped.back()) << ShowText(line);
  }
}

// Lines that are mostly well-formed expressions, each perhaps with a slip, so that lines which
// need no repair at all are common and the ones next to them differ by one character.
class ExpressionLikeLines {
 public:
  explicit ExpressionLikeLines(std::uint32_t seed) : rng_(seed) {}

  std::string Next() {
    std::string line = Expression(0);
    if (rng_() % 3 == 0 && !line.empty()) {
      static constexpr std::string_view kSlips = "0123456789+-*/^().";
      const std::size_t at = rng_() % line.size();
      const char slip = kSlips[rng_() % kSlips.size()];
      if (rng_() % 2) {
        line[at] = slip;
      } else {
        line.insert(at, 1, slip);
      }
    }
    return line;
  }

 private:
  std::string Number() {
    std::string n = std::to_string(rng_() % 1000);
    if (rng_() % 2) n += "." + std::to_string(rng_() % 100);
    return n;
  }

  std::string Expression(int depth) {
    if (depth > 3 || rng_() % 3 == 0) return Number();
    static constexpr const char* kOperators[] = {"+", "-", "*", "/", "^", "*-", "/-", "^-"};
    switch (rng_() % 4) {
      case 0: return "(" + Expression(depth + 1) + ")";
      default: return Expression(depth + 1) + kOperators[rng_() % 8] + Expression(depth + 1);
    }
  }

  std::mt19937 rng_;
};

TEST(RepairAgainstReference, LinesThatNeedNoRepairComeBackAsTheyAre) {
  ExpressionLikeLines lines(11);
  int untouched = 0;
  for (int n = 0; n < kLinesPerRun; ++n) {
    const std::string line = lines.Next();
    const Text expected = ReferenceRepairSteps(line).back();
    ASSERT_EQ(RepairExpression(line), expected) << ShowText(line);
    if (IsAlreadyRepaired(line)) {
      ASSERT_EQ(expected, line) << "taken as repaired but changed: " << ShowText(line);
      ++untouched;
    }
  }
  // The quick check must recognise the many lines that are already expressions.
  EXPECT_GT(untouched, kLinesPerRun / 3);
}

TEST(RepairAgainstReference, FreeTextLinesGiveTheSameTextAtEveryStep) {
  ExpectSameAsReference(RandomLines(FreeTextPieces(), 20240917));
}

TEST(RepairAgainstReference, ExpressionLinesGiveTheSameTextAtEveryStep) {
  ExpectSameAsReference(RandomLines(ExpressionPieces(), 7));
}

}  // namespace
}  // namespace orlinde::testing
