// The window commands against the in-memory window, whose text-changed event runs the real
// calculation driver as the Qt window's bindings do.
#include "app/commands.h"

#include <gtest/gtest.h>

#include "app/driver.h"
#include "app/memory_window.h"
#include "eval/evaluator.h"
#include "text/codec.h"

namespace orlinde {
namespace {

class CommandsTest : public ::testing::Test {
 protected:
  CommandsTest() : driver_(window_, evaluator_) {
    window_.on_text_changed = [this](Control box) {
      if (box == Control::编辑框1 || box == Control::编辑框3) {
        ++runs_;
        driver_.CalculateAll();
      }
    };
  }

  Text Input() { return window_.GetBoxText(Control::编辑框1); }
  Text Results() { return window_.GetBoxText(Control::编辑框2); }

  MemoryWindow window_;
  Evaluator evaluator_;
  CalculationDriver driver_;
  int runs_ = 0;
};

TextList Lines(const Text& text) { return TextSplit(text, "\r\n"); }

TEST(AboutTextTest, HasElevenLinesWithTitleAndExamples) {
  const Text& about = AboutText();
  const TextList lines = Lines(about);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(TextToUtf8(lines[0]), " Orlinde v1.6（160507）");
  EXPECT_NE(TextToUtf8(lines[1]).find("Orlinde"), std::string::npos);
  EXPECT_FALSE(lines[2].empty());
  const char* const examples[] = {"科学计算示例",
                                  "平方：2^2 ",
                                  "平方根：sqrt(4) ",
                                  "绝对值：abs(-2)",
                                  "ＬＯＧ：log(8)",
                                  "指数函数：exp(2)",
                                  "三角函数：tan(2)+sin(2)+cos(2)",
                                  "反三角函数：asin(2) + atan(2)+ acos(2)"};
  for (std::size_t i = 0; i < std::size(examples); ++i) {
    EXPECT_EQ(TextToUtf8(lines[i + 3]), examples[i]) << "line " << i + 4;
  }
  EXPECT_NE(about.substr(about.size() - 2), "\r\n");
}

TEST(AboutTextTest, TooltipSharesTheExamplesUnderItsOwnHeading) {
  const TextList tooltip = Lines(ScientificTooltipText());
  const TextList about = Lines(AboutText());
  ASSERT_EQ(tooltip.size(), 8u);
  EXPECT_EQ(TextToUtf8(tooltip[0]), "是否支持科学计算");
  for (std::size_t i = 1; i < tooltip.size(); ++i) EXPECT_EQ(tooltip[i], about[i + 3]);
}

TEST(AboutTextTest, ConvertsToCodePage936WithoutLoss) {
  // A character outside the code page would have become "?".
  EXPECT_EQ(AboutText().find('?'), std::string::npos);
  EXPECT_EQ(ScientificTooltipText().find('?'), std::string::npos);
}

TEST_F(CommandsTest, ShowAboutOnAnEmptyInputLeavesExactlyTheAboutText) {
  ShowAbout(window_);
  EXPECT_EQ(Input(), AboutText());
  EXPECT_EQ(runs_, 1);
  EXPECT_EQ(Lines(Results()).size(), 11u);
}

TEST_F(CommandsTest, ShowAboutContinuesTheLastAboutLineWithTheFormerInput) {
  window_.PutBoxText(Control::编辑框1, "1+2\r\n3");
  ShowAbout(window_);
  const TextList lines = Lines(Input());
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(TextRight(lines[10], 10), "acos(2)1+2");
  EXPECT_EQ(lines[11], "3");
  EXPECT_EQ(runs_, 1);
  EXPECT_EQ(Lines(Results()).size(), 12u);
}

TEST_F(CommandsTest, ShowAboutTwicePutsASecondCopyInFront) {
  window_.PutBoxText(Control::编辑框1, "1+2");
  ShowAbout(window_);
  ShowAbout(window_);
  EXPECT_EQ(Input(), TextConcat(AboutText(), AboutText(), "1+2"));
  EXPECT_EQ(runs_, 2);
}

TEST_F(CommandsTest, ClearInputEmptiesInputAndResultsOnly) {
  window_.PutBoxText(Control::编辑框1, "1+1");
  window_.PutBoxText(Control::编辑框3, "2");
  window_.SetChecked(Control::选择框1, true);
  window_.SetChecked(Control::选择框2, true);
  driver_.CalculateAll();
  ASSERT_EQ(Results(), "1+1=2.00\r\n");

  ClearInput(window_);
  EXPECT_EQ(Input(), "");
  EXPECT_EQ(Results(), "");
  EXPECT_EQ(runs_, 1);
  EXPECT_EQ(window_.GetBoxText(Control::编辑框3), "2");
  EXPECT_TRUE(window_.IsChecked(Control::选择框1));
  EXPECT_TRUE(window_.IsChecked(Control::选择框2));
}

TEST_F(CommandsTest, ClearInputOnAnEmptyBoxStillRecalculatesOnce) {
  window_.PutBoxText(Control::编辑框2, "left over by hand");
  ClearInput(window_);
  EXPECT_EQ(runs_, 1);
  EXPECT_EQ(Results(), "");
}

TEST_F(CommandsTest, CopyResultsCopiesTheWholeBoxWithItsFinalLineBreak) {
  window_.PutBoxText(Control::编辑框1, "1+1\r\n2*3");
  driver_.CalculateAll();
  window_.AppendBoxText(Control::编辑框2, "typed by hand");
  CopyResults(window_);
  ASSERT_TRUE(window_.clipboard().has_value());
  EXPECT_EQ(*window_.clipboard(), "1+1=2\r\n2*3=6\r\ntyped by hand");

  window_.PutBoxText(Control::编辑框2, "1+1=2\r\n");
  CopyResults(window_);
  EXPECT_EQ(*window_.clipboard(), "1+1=2\r\n");
}

TEST_F(CommandsTest, CopyResultsOfAnEmptyBoxLeavesTheClipboardAsItWas) {
  window_.SetClipboardText("earlier");
  CopyResults(window_);
  EXPECT_EQ(window_.clipboard(), Text("earlier"));
}

TEST_F(CommandsTest, CopyResultsWithoutAClipboardDoesNothing) {
  window_.clipboard_available = false;
  window_.PutBoxText(Control::编辑框2, "1=1\r\n");
  CopyResults(window_);
  EXPECT_FALSE(window_.clipboard().has_value());
  EXPECT_EQ(runs_, 0);
}

TEST_F(CommandsTest, ToggleAlwaysOnTopFollowsTheTick) {
  for (const bool ticked : {true, false, true}) {
    window_.SetChecked(Control::选择框1, ticked);
    ToggleAlwaysOnTop(window_);
    EXPECT_EQ(window_.always_on_top(), ticked);
  }
  EXPECT_EQ(runs_, 0);
}

TEST_F(CommandsTest, SelectAllOnCtrlAOnlyForCtrlAlone) {
  struct Case {
    int key;
    ModifierState modifiers;
    bool selects;
  };
  const Case cases[] = {
      {65, kModifierCtrl, true},
      {65, kModifierCtrl | kModifierShift, false},
      {65, kModifierCtrl | kModifierAlt, false},
      {65, kModifierCtrl | kModifierShift | kModifierAlt, false},
      {65, 0, false},
      {65, kModifierShift, false},
      {66, kModifierCtrl, false},
      {97, kModifierCtrl, false},  // the character code of «a» is not the key code
  };
  const Text text = Utf8ToText("1+1\r\n结果");
  for (const Control box : {Control::编辑框1, Control::编辑框2}) {
    for (const Case& c : cases) {
      MemoryWindow window;
      window.PutBoxText(box, text);
      SelectAllOnCtrlA(window, box, c.key, c.modifiers);
      const auto selection = window.selection(box);
      if (c.selects) {
        ASSERT_TRUE(selection.has_value()) << c.key << " " << c.modifiers;
        EXPECT_EQ(selection->start, 0);
        EXPECT_EQ(selection->length, TextLength(text));
      } else {
        EXPECT_FALSE(selection.has_value()) << c.key << " " << c.modifiers;
      }
      EXPECT_EQ(window.GetBoxText(box), text);
    }
  }
}

TEST(DecimalsBoxNormaliseTest, ReadsAWholeNumberAndWritesItBack) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"", ""},
      {"12", "12"},
      {"-12", "-12"},
      {"+12", "12"},
      {"7x", "7"},
      {"007", "7"},
      {"-007", "-7"},
      {"0", ""},
      {"-0", ""},
      {"00", ""},
      {"-", ""},
      {"+", ""},
      {"x7", ""},
      {"  \t5", "5"},
      {"5 6", "5"},
      {"--5", ""},
      {"- 5", ""},
      {"3.9", "3"},
      {"2147483647", "2147483647"},
      {"2147483648", "2147483647"},
      {"99999999999", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"-2147483649", "-2147483648"},
      {"-99999999999999999999999999", "-2147483648"},
      {"\xA3\xB5", ""},  // a full-width «５» is no digit
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecimalsBoxNormalise(c.text), c.expected) << "«" << c.text << "»";
  }
}

TEST(DecimalsBoxNormaliseTest, ReadsAMillionDigitsWithoutOverflow) {
  EXPECT_EQ(DecimalsBoxNormalise(Text(1'000'000, '9')), "2147483647");
  EXPECT_EQ(DecimalsBoxNormalise("-" + Text(1'000'000, '9')), "-2147483648");
  EXPECT_EQ(DecimalsBoxNormalise(Text(1'000'000, '0') + "3"), "3");
}

}  // namespace
}  // namespace orlinde
