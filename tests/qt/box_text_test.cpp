// The edges between widgets and texts, and the start-up settings, without a window.
#include "app/qt/box_text.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>

#include "app/qt/start_up.h"
#include "text/codec.h"

namespace orlinde {
namespace {

TEST(BoxTextTest, LineBreaksAreCrLfInTextsAndLfInBoxes) {
  struct Case {
    QString box;
    const char* text_utf8;
  };
  const Case cases[] = {
      {QString(), ""},
      {QStringLiteral("1+1"), "1+1"},
      {QStringLiteral("1\n2\n"), "1\r\n2\r\n"},
      {QStringLiteral("\n\n"), "\r\n\r\n"},
      {QStringLiteral("平方：2^2 \nＬＯＧ"), "平方：2^2 \r\nＬＯＧ"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToUtf8(BoxStringToText(c.box)), c.text_utf8);
    EXPECT_EQ(TextToBoxString(Utf8ToText(c.text_utf8)), c.box);
  }
}

TEST(BoxTextTest, ClipboardUsesThePlatformLineBreak) {
  EXPECT_EQ(ClipboardString(Utf8ToText("1+1=2\r\n结果=0\r\n")), QStringLiteral("1+1=2\n结果=0\n"));
}

TEST(BoxTextTest, TextOffsetsMapToBoxPositions) {
  // "a中\n😀b": a (1 byte), 中 (2), line break (2), 😀 (two positions, one "?"), b (1).
  const QString box = QStringLiteral("a中\n") + QString::fromUcs4(U"\U0001F600") + "b";
  ASSERT_EQ(BoxStringToText(box).size(), 7u);
  struct Case {
    int offset;
    int position;
  };
  const Case cases[] = {{-5, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 2},
                        {5, 3},  {6, 5}, {7, 6}, {8, 6}, {1 << 30, 6}};
  for (const Case& c : cases) {
    EXPECT_EQ(BoxPositionOfTextOffset(box, c.offset), c.position) << c.offset;
  }
}

TEST(BoxTextTest, TheChangedStretchLiesBetweenTheCommonEnds) {
  struct Case {
    QString current, wanted;
    Stretch stretch;
  } cases[] = {
      {"", "", {0, 0, 0}},
      {"", "abc", {0, 0, 3}},
      {"abc", "", {0, 3, 0}},
      {"abc", "abc", {3, 3, 3}},
      {"abXc", "abYc", {2, 3, 3}},
      {"aaa", "aaaa", {3, 3, 4}},  // the common ends never overlap
      {"1\n2\n", "1\n22\n", {3, 3, 4}},
      {QString::fromUtf8("a😀"), QString::fromUtf8("a😁"), {1, 3, 3}},  // a pair stays whole
      {QString::fromUtf8("😀b"), QString::fromUtf8("🙀b"), {0, 2, 2}},
  };
  for (const Case& c : cases) {
    const Stretch got = ChangedStretch(c.current, c.wanted);
    EXPECT_EQ(got.from, c.stretch.from)
        << c.current.toStdString() << " / " << c.wanted.toStdString();
    EXPECT_EQ(got.to, c.stretch.to) << c.current.toStdString() << " / " << c.wanted.toStdString();
    EXPECT_EQ(got.to_wanted, c.stretch.to_wanted) << c.current.toStdString();
  }
}

TEST(BoxTextTest, ModifierStateHasCtrlShiftAltBits) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    ModifierState state;
  };
  const Case cases[] = {
      {Qt::NoModifier, 0},
      {Qt::ControlModifier, 1},
      {Qt::ShiftModifier, 2},
      {Qt::AltModifier, 4},
      {Qt::ControlModifier | Qt::ShiftModifier, 3},
      {Qt::ControlModifier | Qt::AltModifier, 5},
      {Qt::ControlModifier | Qt::KeypadModifier, 1},
      {Qt::ControlModifier | Qt::MetaModifier, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ModifierStateOf(c.modifiers), c.state);
}

TEST(BoxTextTest, VirtualKeysOfLettersAreTheirCapitals) {
  EXPECT_EQ(VirtualKeyOf(Qt::Key_A), 65);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Z), 90);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_5), 53);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Return), 13);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Escape), 27);
  EXPECT_EQ(VirtualKeyOf(Qt::Key_Adiaeresis), 0);
}

TEST(BoxTextTest, DecimalsBoxRefusesOnlyPrintableNonDigits) {
  struct Case {
    QString text;
    Qt::KeyboardModifiers modifiers;
    bool refused;
  };
  const Case cases[] = {
      {QStringLiteral("a"), Qt::NoModifier, true},
      {QStringLiteral("."), Qt::NoModifier, true},
      {QStringLiteral(" "), Qt::NoModifier, true},
      {QStringLiteral("+"), Qt::NoModifier, true},
      {QStringLiteral("５"), Qt::NoModifier, true},
      {QStringLiteral("A"), Qt::ShiftModifier, true},
      {QStringLiteral("a"), Qt::AltModifier, true},
      {QStringLiteral("-"), Qt::NoModifier, false},
      {QStringLiteral("0"), Qt::NoModifier, false},
      {QStringLiteral("9"), Qt::KeypadModifier, false},
      {QString(), Qt::NoModifier, false},                    // arrows, Home, Delete
      {QStringLiteral("\b"), Qt::NoModifier, false},         // backspace
      {QStringLiteral("\x16"), Qt::ControlModifier, false},  // Ctrl+V as a control character
      {QStringLiteral("v"), Qt::ControlModifier, false},     // Ctrl+V as a shortcut
      {QStringLiteral("z"), Qt::ControlModifier, false},     // undo
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecimalsBoxRefusesTypedText(c.text, c.modifiers), c.refused) << c.text.toStdString();
  }
}

TEST(StartUpTest, FloatingPointRoundsToNearestWithExceptionsMasked) {
  fesetround(FE_UPWARD);
  feenableexcept(FE_DIVBYZERO | FE_OVERFLOW);
  SetFloatingPointDefaults();
  EXPECT_EQ(fegetround(), FE_TONEAREST);
  EXPECT_EQ(fegetexcept(), 0);
  volatile double zero = 0.0;
  volatile double big = 1e308;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_TRUE(std::isinf(big * 10.0));
  volatile double third = 1.0 / 3.0;
  EXPECT_EQ(third, 0.333333333333333314829616256247);
}

TEST(StartUpTest, ControlFontIsTheChineseSansSerifAtThePixelSize) {
  const QFont font = ControlFont(12);
  EXPECT_EQ(font.pixelSize(), 12);
  EXPECT_EQ(font.weight(), QFont::Normal);
  ASSERT_FALSE(font.families().isEmpty());
  EXPECT_EQ(font.families().first(), QStringLiteral("微软雅黑"));
  EXPECT_TRUE(font.families().contains(QStringLiteral("Noto Sans CJK SC")));
  EXPECT_EQ(ControlFont(14).pixelSize(), 14);
}

}  // namespace
}  // namespace orlinde
