// The calculation driver through the in-memory window: what it reads, what it writes and how
// often.
#include "app/driver.h"

#include <gtest/gtest.h>

#include "app/memory_window.h"
#include "scientific/translate.h"

namespace orlinde {
namespace {

class DriverTest : public ::testing::Test {
 protected:
  Text Run(const Text& input, const Text& decimals = "", bool scientific = false) {
    window.PutBoxText(Control::编辑框1, input);
    window.PutBoxText(Control::编辑框3, decimals);
    window.SetChecked(Control::选择框2, scientific);
    driver.CalculateAll();
    return window.GetBoxText(Control::编辑框2);
  }

  MemoryWindow window;
  Evaluator evaluator;
  CalculationDriver driver{window, evaluator};
};

TEST_F(DriverTest, WritesOneResultLinePerInputLine) {
  struct Case {
    Text input, results;
  } cases[] = {
      {"", ""},
      {"1+1", "1+1=2\r\n"},
      {"1+1\r\n", "1+1=2\r\n"},
      {"1\r\n\r\n2", "1=1\r\n=0\r\n2=2\r\n"},
      {"\r\n", "=0\r\n"},
      {"1\n2", "12=12\r\n"},  // a lone line feed stays inside its line
      {"1/3\r\n2/3", "1/3=0.3333333333333\r\n2/3=0.6666666666667\r\n"},
      {"1/0\r\n-1/0\r\n0/0", "1/0=1.#INF\r\n0-1/0=-1.#INF\r\n0/0=-1.#IND\r\n"},
      {"010+1", "010+1=11\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.input), c.results) << c.input;
}

TEST_F(DriverTest, TheDecimalsBoxRoundsEveryLine) {
  struct Case {
    Text decimals, results;
  } cases[] = {
      {"", "1/3=0.3333333333333\r\n2.5=2.5\r\n"},
      {"2", "1/3=0.33\r\n2.5=2.50\r\n"},
      {"-", "1/3=0\r\n2.5=3\r\n"},  // a lone "-" is not empty and reads as 0
      {"0", "1/3=0\r\n2.5=3\r\n"},
      {"-1", "1/3=0\r\n2.5=0\r\n"},
      {"007", "1/3=0.3333333\r\n2.5=2.5000000\r\n"},
      {"x", "1/3=0\r\n2.5=3\r\n"},
      {"99999999999999999999",
       "1/3=0.3333333333333" + Text(171, '0') + "\r\n2.5=2.5" + Text(183, '0') + "\r\n"},
      {"-2147483648", "1/3=0\r\n2.5=0\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Run("1/3\r\n2.5", c.decimals), c.results) << c.decimals;
}

TEST_F(DriverTest, ReplacesTheResultsOncePerRun) {
  window.PutBoxText(Control::编辑框2, "left over from the user");
  Run("1\r\n2\r\n3");
  EXPECT_EQ(window.GetBoxText(Control::编辑框2), "1=1\r\n2=2\r\n3=3\r\n");
  EXPECT_EQ(window.replace_calls(Control::编辑框2), 1);
  EXPECT_EQ(window.set_calls(Control::编辑框2) + window.append_calls(Control::编辑框2), 0);
  // The mode and the decimals cannot change during a run: each is read once.
  EXPECT_EQ(window.checked_reads(Control::选择框2), 1);
  EXPECT_EQ(window.get_calls(Control::编辑框3), 1);
  // The caret ends after the last result.
  EXPECT_EQ(window.selection(Control::编辑框2)->start,
            TextLength(window.GetBoxText(Control::编辑框2)));
}

// Each run must give what a driver that remembers nothing gives, whatever changed in between.
TEST_F(DriverTest, RememberedResultsFollowEveryChange) {
  struct Step {
    Text input, decimals;
    bool scientific;
  } steps[] = {
      {"1/3\r\n50%\r\nsqrt(4)", "", false},
      {"1/3\r\n50%\r\nsqrt(4)", "2", false},        // new decimals
      {"1/3\r\n50%\r\nsqrt(4)", "2", true},         // new mode
      {"1/3\r\n50%\r\nsqrt(4)\r\n1/3", "2", true},  // a repeated line
      {"50%\r\n1/3", "2", true},                    // lines removed and reordered
      {"50%\r\n1/3", "-", true},
      {"50%\r\n1/3\r\n", "", false},
      {"", "", false},
      {"1/3", "", false},
  };
  for (const Step& step : steps) {
    MemoryWindow fresh_window;
    fresh_window.PutBoxText(Control::编辑框1, step.input);
    fresh_window.PutBoxText(Control::编辑框3, step.decimals);
    fresh_window.SetChecked(Control::选择框2, step.scientific);
    CalculationDriver fresh(fresh_window, evaluator, {.remember_results = false});
    fresh.CalculateAll();
    const Text fresh_copy = ScientificShownCopy();
    EXPECT_EQ(Run(step.input, step.decimals, step.scientific),
              fresh_window.GetBoxText(Control::编辑框2))
        << step.input << " / " << step.decimals;
    EXPECT_EQ(ScientificShownCopy(), fresh_copy) << step.input;
  }
}

// The translation leaves the last line's shown form behind even when the driver remembered that
// line's result instead of translating it again.
TEST_F(DriverTest, TheShownCopyBelongsToTheLastLineEvenWhenRemembered) {
  Run("50%\r\n2^3", "", true);
  EXPECT_EQ(ScientificShownCopy(), "2^3");
  Run("2^3\r\n50%", "", true);  // both lines remembered
  EXPECT_EQ(ScientificShownCopy(), "0.5");
  Run("7%3", "", false);  // basic mode leaves it alone
  EXPECT_EQ(ScientificShownCopy(), "0.5");
}

TEST_F(DriverTest, AnEmptyInputEvaluatesNothing) {
  window.PutBoxText(Control::编辑框2, "old");
  Run("");
  EXPECT_EQ(window.GetBoxText(Control::编辑框2), "");
  EXPECT_EQ(window.replace_calls(Control::编辑框2), 1);
  EXPECT_EQ(window.checked_reads(Control::选择框2), 0);
}

TEST_F(DriverTest, TheModeSwitchRecomputesEveryLine) {
  const Text input = "sqrt(4)\r\n50%\r\n2^3";
  EXPECT_EQ(Run(input, "", false), "(4)=4\r\n50=50\r\n2^3=8\r\n");
  EXPECT_EQ(Run(input, "", true), "sqrt(4)=2\r\n0.5=0.5\r\n2^3=8\r\n");
  EXPECT_EQ(Run(input, "", false), "(4)=4\r\n50=50\r\n2^3=8\r\n");
}

TEST_F(DriverTest, ALineThatFailsStillGivesItsResultLine) {
  EXPECT_EQ(Run("()\r\n1+1"), "()=0\r\n1+1=2\r\n");
  // «pow++» reaches the engine as «Math.pow++», which cannot change the later «Math.pow».
  EXPECT_EQ(Run("pow++\r\npow(2,3)\r\npow(2)", "", true),
            "pow++=-1.#IND\r\npow(23)=-1.#IND\r\npow(2)=-1.#IND\r\n");
  EXPECT_EQ(Run("sqrt++\r\nsqrt(4)", "", true), "sqrt++=-1.#IND\r\nsqrt(4)=2\r\n");
}

}  // namespace
}  // namespace orlinde
