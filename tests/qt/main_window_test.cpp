// The main window driven as a person would: controls found by their object names, keys typed,
// text pasted, buttons clicked, the focus moved.
#include "app/qt/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWindow>
#include <functional>
#include <memory>

#include "app/commands.h"
#include "app/qt/box_text.h"
#include "app/qt/controls.h"
#include "app/qt/start_up.h"
#include "text/codec.h"

namespace orlinde {
namespace {

constexpr Control kAllControls[] = {
    Control::编辑框1, Control::编辑框2, Control::编辑框3, Control::选择框1,     Control::选择框2,
    Control::按钮1,   Control::按钮2,   Control::按钮3,   Control::超级链接框1, Control::标签1,
    Control::标签2,   Control::图片框1, Control::图片框2, Control::脚本组件2,
};

// A shown, active main window and ways to reach its controls by name.
class Harness {
 public:
  Harness() {
    window.show();
    window.activateWindow();
    active = QTest::qWaitForWindowActive(&window);
  }

  template <typename T = QWidget>
  T* Find(Control control) {
    return window.findChild<T*>(QString::fromUtf8(ControlName(control)));
  }
  QPlainTextEdit* Input() { return Find<QPlainTextEdit>(Control::编辑框1); }
  QPlainTextEdit* Results() { return Find<QPlainTextEdit>(Control::编辑框2); }
  QLineEdit* Decimals() { return Find<QLineEdit>(Control::编辑框3); }
  QAbstractButton* Button(Control control) { return Find<QAbstractButton>(control); }

  int Runs() const { return window.calculate_all_runs(); }
  std::string InputText() { return TextToUtf8(window.GetBoxText(Control::编辑框1)); }
  std::string ResultsText() { return TextToUtf8(window.GetBoxText(Control::编辑框2)); }
  std::string DecimalsText() { return TextToUtf8(window.GetBoxText(Control::编辑框3)); }

  // A left click that reaches the control through the window, as the platform delivers it.
  void Click(QWidget* widget, QPoint pos = {}) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, WindowPos(widget, pos));
  }
  void DoubleClick(QWidget* widget) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, WindowPos(widget, {}));
  }
  QPoint WindowPos(QWidget* widget, QPoint pos) {
    return widget->mapTo(&window, pos.isNull() ? widget->rect().center() : pos);
  }
  void Type(QWidget* widget, const char* keys) {
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(widget, QString::fromUtf8(keys));
  }
  void Paste(QWidget* widget, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    widget->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
  }

  MainWindow window;
  bool active = false;
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(w.active); }
  Harness w;
};

TEST_F(MainWindowTest, EveryControlIsFoundByItsNameAndHasAnAccessibleName) {
  for (const Control control : kAllControls) {
    QWidget* widget = w.Find(control);
    ASSERT_NE(widget, nullptr) << ControlName(control);
    EXPECT_EQ(widget, w.window.ControlWidget(control)) << ControlName(control);
    EXPECT_FALSE(widget->accessibleName().isEmpty()) << ControlName(control);
  }
  EXPECT_EQ(w.Input(), w.window.InputBox());
  EXPECT_EQ(w.Results(), w.window.ResultsBox());
  EXPECT_EQ(w.Input()->accessibleName(), QStringLiteral("输入"));
  EXPECT_EQ(w.Results()->accessibleName(), QStringLiteral("结果"));
  EXPECT_EQ(w.Decimals()->accessibleName(), QStringLiteral("保留小数"));
  // Controls with a caption are named by it.
  for (const Control control :
       {Control::按钮1, Control::按钮2, Control::按钮3, Control::选择框1, Control::选择框2}) {
    EXPECT_EQ(w.Button(control)->accessibleName(), w.Button(control)->text())
        << ControlName(control);
  }
  for (const Control control : {Control::超级链接框1, Control::标签1, Control::标签2}) {
    EXPECT_EQ(w.Find<QLabel>(control)->accessibleName(), w.Find<QLabel>(control)->text());
  }
}

TEST_F(MainWindowTest, ControlsHaveTheirCaptionsPositionsAndSizes) {
  struct Case {
    Control control;
    QRect geometry;  // in the parent's coordinates
    const char* caption;
  };
  const Case cases[] = {
      {Control::按钮3, {8, 183, 32, 24}, "CE"},
      {Control::选择框2, {272, 10, 72, 16}, "科学计算"},
      {Control::选择框1, {360, 10, 56, 16}, "置顶"},
      {Control::按钮1, {127, 183, 140, 24}, "计算"},
      {Control::脚本组件2, {344, 8, 32, 32}, nullptr},
      {Control::超级链接框1, {182, 9, 44, 15}, "关于"},
      {Control::编辑框3, {95, 6, 73, 24}, nullptr},
      // Five pixels wider than the 48 its caption was planned for, up to the decimals box, so
      // that the caption's colon is not cut off.
      {Control::标签1, {42, 9, 53, 16}, "保留小数:"},
      {Control::图片框1, {24, 9, 16, 16}, nullptr},
      {Control::图片框2, {248, 177, 168, 32}, nullptr},
      {Control::按钮2, {44, 183, 80, 24}, "复制结果"},
      {Control::标签2, {16, 7, 216, 24}, "计算文本中的数学算式（每行）"},
      {Control::编辑框2, {1, 216, 420, 120}, nullptr},
      {Control::编辑框1, {1, 32, 420, 144}, nullptr},
  };
  for (const Case& c : cases) {
    QWidget* widget = w.Find(c.control);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), c.geometry) << ControlName(c.control);
    if (c.caption == nullptr) continue;
    const QString caption = QString::fromUtf8(c.caption);
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    const auto* label = qobject_cast<QLabel*>(widget);
    EXPECT_EQ(button ? button->text() : label->text(), caption) << ControlName(c.control);
    // The caption fits its control: nothing of it is cut off.
    const int room = button ? widget->width() - (qobject_cast<const QCheckBox*>(widget) ? 18 : 4)
                            : widget->width();
    EXPECT_LE(widget->fontMetrics().horizontalAdvance(caption), room) << ControlName(c.control);
  }
  const QStringList inside_panel = {"编辑框3", "标签1", "图片框1"};
  for (const QString& name : inside_panel) {
    EXPECT_EQ(w.window.findChild<QWidget*>(name)->parentWidget(), w.Find(Control::图片框2));
  }
}

TEST_F(MainWindowTest, WindowIsFixedCentredAndCaptioned) {
  EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Orlinde"));
  EXPECT_EQ(w.window.size(), QSize(422, 338));
  EXPECT_EQ(w.window.minimumSize(), QSize(422, 338));
  EXPECT_EQ(w.window.maximumSize(), QSize(422, 338));
  const Qt::WindowFlags flags = w.window.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
  const QRect screen = w.window.screen()->geometry();
  EXPECT_EQ(w.window.pos(), QPoint(screen.x() + (screen.width() - 428) / 2,
                                   screen.y() + (screen.height() - 367) / 2));
  EXPECT_FALSE(w.window.windowIcon().isNull());
  EXPECT_EQ(w.window.windowIcon().pixmap(16, 16).size(), QSize(16, 16));
  const QPixmap picture = w.Find<QLabel>(Control::图片框1)->pixmap();
  EXPECT_EQ(picture.size(), QSize(16, 16));
  EXPECT_TRUE(picture.hasAlphaChannel());
}

TEST_F(MainWindowTest, StartsEmptyUntickedAndUncalculated) {
  EXPECT_EQ(w.Runs(), 0);
  EXPECT_EQ(w.InputText(), "");
  EXPECT_EQ(w.ResultsText(), "");
  EXPECT_EQ(w.DecimalsText(), "");
  EXPECT_FALSE(w.Button(Control::选择框1)->isChecked());
  EXPECT_FALSE(w.Button(Control::选择框2)->isChecked());
  EXPECT_TRUE(w.Input()->hasFocus());
  EXPECT_FALSE(w.Find(Control::脚本组件2)->isVisible());
  for (const Control control : kAllControls) {
    if (control == Control::脚本组件2) continue;
    EXPECT_TRUE(w.Find(control)->isVisible()) << ControlName(control);
  }
}

TEST_F(MainWindowTest, ControlsUseTheChineseFontAtTheirPixelSize) {
  const QStringList families = ControlFontFamilies();
  for (const Control control : kAllControls) {
    if (control == Control::脚本组件2 || control == Control::图片框1 ||
        control == Control::图片框2) {
      continue;
    }
    const QFontInfo font(w.Find(control)->font());
    EXPECT_EQ(font.pixelSize(), control == Control::超级链接框1 ? 14 : 12) << ControlName(control);
    EXPECT_TRUE(families.contains(font.family()))
        << ControlName(control) << " " << font.family().toStdString();
  }
}

TEST_F(MainWindowTest, BoxesAndLabelsHaveTheirColoursAndSettings) {
  for (QWidget* box : {static_cast<QWidget*>(w.Input()), static_cast<QWidget*>(w.Results()),
                       static_cast<QWidget*>(w.Decimals())}) {
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
  }
  for (QPlainTextEdit* box : {w.Input(), w.Results()}) {
    EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(box->tabChangesFocus());
    EXPECT_FALSE(box->isReadOnly());
    EXPECT_EQ(box->frameShadow(), QFrame::Sunken);
  }
  for (const Control control : {Control::标签1, Control::标签2}) {
    EXPECT_EQ(w.Find(control)->palette().color(QPalette::WindowText), QColor(Qt::black));
  }
  for (const Control control : {Control::按钮1, Control::按钮2, Control::按钮3}) {
    auto* button = w.Find<QPushButton>(control);
    EXPECT_FALSE(button->isDefault());
    EXPECT_FALSE(button->autoDefault());
  }
}

TEST_F(MainWindowTest, AboutLinkChangesColourUnderTheMouseAndShowsAHand) {
  QWidget* link = w.Find(Control::超级链接框1);
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(192, 192, 192));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), link->mapToGlobal(QPointF(5, 5)));
  QApplication::sendEvent(link, &enter);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(128, 224, 0));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(link, &leave);
  EXPECT_EQ(link->palette().color(QPalette::WindowText), QColor(192, 192, 192));
}

TEST_F(MainWindowTest, ScientificTooltipShowsItsEightLines) {
  const QString tip = w.Find(Control::选择框2)->toolTip();
  EXPECT_EQ(tip, TextToBoxString(ScientificTooltipText()));
  const QStringList lines = tip.split('\n');
  ASSERT_EQ(lines.size(), 8);
  EXPECT_EQ(lines[0], QStringLiteral("是否支持科学计算"));
  EXPECT_EQ(lines[7], QStringLiteral("反三角函数：asin(2) + atan(2)+ acos(2)"));
  EXPECT_TRUE(w.window.testAttribute(Qt::WA_AlwaysShowToolTips));
}

// How many times each action runs CalculateAll, each on a fresh window.
TEST(MainWindowRunsTest, EachActionRecalculatesAsBound) {
  struct Case {
    const char* action;
    std::function<void(Harness&)> act;
    int runs;
  };
  const Case cases[] = {
      {"typing one character into the input", [](Harness& w) { w.Type(w.Input(), "1"); }, 1},
      {"typing three characters", [](Harness& w) { w.Type(w.Input(), "1+1"); }, 3},
      {"pasting three lines",
       [](Harness& w) { w.Paste(w.Input(), QStringLiteral("1+1\n2+2\n3+3")); }, 1},
      {"Enter in the input",
       [](Harness& w) {
         w.Input()->setFocus();
         QTest::keyClick(w.Input(), Qt::Key_Return);
       },
       1},
      {"Enter on an empty line after a line",
       [](Harness& w) {
         w.Type(w.Input(), "1");
         QTest::keyClick(w.Input(), Qt::Key_Return);
         QTest::keyClick(w.Input(), Qt::Key_Return);
       },
       3},
      {"Backspace in an empty input",
       [](Harness& w) {
         w.Input()->setFocus();
         QTest::keyClick(w.Input(), Qt::Key_Backspace);
       },
       0},
      {"clicking 计算", [](Harness& w) { w.Click(w.Button(Control::按钮1)); }, 1},
      {"Space on 计算",
       [](Harness& w) {
         w.Button(Control::按钮1)->setFocus();
         QTest::keyClick(w.Button(Control::按钮1), Qt::Key_Space);
       },
       1},
      {"Enter on 计算",
       [](Harness& w) {
         w.Button(Control::按钮1)->setFocus();
         QTest::keyClick(w.Button(Control::按钮1), Qt::Key_Return);
       },
       0},
      {"ticking 科学计算", [](Harness& w) { w.Click(w.Button(Control::选择框2)); }, 1},
      {"ticking and unticking 科学计算",
       [](Harness& w) {
         w.Click(w.Button(Control::选择框2));
         QTest::qWait(QApplication::doubleClickInterval() + 50);
         w.Click(w.Button(Control::选择框2));
       },
       2},
      {"Space on 科学计算",
       [](Harness& w) {
         w.Button(Control::选择框2)->setFocus();
         QTest::keyClick(w.Button(Control::选择框2), Qt::Key_Space);
       },
       1},
      {"clicking 关于", [](Harness& w) { w.Click(w.Find(Control::超级链接框1)); }, 1},
      {"right-clicking 关于",
       [](Harness& w) {
         QTest::mouseClick(w.window.windowHandle(), Qt::RightButton, {},
                           w.WindowPos(w.Find(Control::超级链接框1), {}));
       },
       0},
      {"CE on an empty input", [](Harness& w) { w.Click(w.Button(Control::按钮3)); }, 1},
      {"复制结果", [](Harness& w) { w.Click(w.Button(Control::按钮2)); }, 0},
      {"ticking 置顶", [](Harness& w) { w.Click(w.Button(Control::选择框1)); }, 0},
      {"typing into the results", [](Harness& w) { w.Type(w.Results(), "12"); }, 0},
      {"typing into the decimals box", [](Harness& w) { w.Type(w.Decimals(), "2"); }, 1},
      {"typing a refused character into the decimals box",
       [](Harness& w) { w.Type(w.Decimals(), "a"); }, 0},
      {"pasting into the decimals box",
       [](Harness& w) { w.Paste(w.Decimals(), QStringLiteral("7x")); }, 1},
      {"clicking the background",
       [](Harness& w) {
         QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, QPoint(250, 20));
       },
       0},
  };
  for (const Case& c : cases) {
    Harness w;
    ASSERT_TRUE(w.active);
    c.act(w);
    EXPECT_EQ(w.Runs(), c.runs) << c.action;
  }
}

TEST_F(MainWindowTest, TypedInputGivesOneResultLinePerLine) {
  w.Type(w.Input(), "1+1");
  EXPECT_EQ(w.ResultsText(), "1+1=2\r\n");
  QTest::keyClick(w.Input(), Qt::Key_Return);
  EXPECT_EQ(w.InputText(), "1+1\r\n");
  EXPECT_EQ(w.ResultsText(), "1+1=2\r\n");
  QTest::keyClicks(w.Input(), "2*3");
  EXPECT_EQ(w.InputText(), "1+1\r\n2*3");
  EXPECT_EQ(w.ResultsText(), "1+1=2\r\n2*3=6\r\n");
}

TEST_F(MainWindowTest, PastedLinesAreCalculatedInOneRun) {
  w.Paste(w.Input(), QStringLiteral("1+1\n\n2"));
  EXPECT_EQ(w.Runs(), 1);
  EXPECT_EQ(w.InputText(), "1+1\r\n\r\n2");
  EXPECT_EQ(w.ResultsText(), "1+1=2\r\n=0\r\n2=2\r\n");
}

TEST_F(MainWindowTest, DecimalsRoundTheResultsAsTheyAreTyped) {
  w.Type(w.Input(), "1/3");
  w.Type(w.Decimals(), "2");
  EXPECT_EQ(w.ResultsText(), "1/3=0.33\r\n");
  QTest::keyClick(w.Decimals(), Qt::Key_Backspace);
  EXPECT_EQ(w.ResultsText(), "1/3=0.3333333333333\r\n");
  EXPECT_EQ(w.Runs(), 5);
}

TEST_F(MainWindowTest, DecimalsBoxRefusesTypedCharactersButTakesAPaste) {
  w.Type(w.Decimals(), "a.");
  EXPECT_EQ(w.DecimalsText(), "");
  QTest::keyClicks(w.Decimals(), "-1x2 ");
  EXPECT_EQ(w.DecimalsText(), "-12");
  QTest::keyClick(w.Decimals(), Qt::Key_A, Qt::ControlModifier);
  w.Paste(w.Decimals(), QStringLiteral("7x"));
  EXPECT_EQ(w.DecimalsText(), "7x");
  QTest::keyClick(w.Decimals(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.DecimalsText(), "-12");
}

TEST_F(MainWindowTest, DecimalsBoxIsNormalisedWhenItLosesTheFocus) {
  struct Case {
    const char* pasted;
    const char* after;
    int runs;  // from the focus-out alone
  };
  const Case cases[] = {
      {"7x", "7", 1},  {"007", "7", 1}, {"0", "", 1},
      {"-0", "", 1},   {"00", "", 1},   {"-", "", 1},
      {"12", "12", 0}, {"-3", "-3", 0}, {"99999999999", "2147483647", 1},
      {" +5", "5", 1},
  };
  for (const Case& c : cases) {
    Harness w;
    ASSERT_TRUE(w.active);
    w.Paste(w.Decimals(), QString::fromUtf8(c.pasted));
    const int before = w.Runs();
    QTest::keyClick(w.Decimals(), Qt::Key_Tab);
    EXPECT_FALSE(w.Decimals()->hasFocus());
    EXPECT_EQ(w.DecimalsText(), c.after) << c.pasted;
    EXPECT_EQ(w.Runs() - before, c.runs) << c.pasted;
  }
}

TEST_F(MainWindowTest, CalculateClickedFromTheDecimalsBoxRunsTwiceWhenTheBoxChanges) {
  struct Case {
    const char* decimals;
    int runs;
  };
  for (const Case& c : {Case{"007", 2}, Case{"12", 1}}) {
    Harness w;
    ASSERT_TRUE(w.active);
    w.Paste(w.Decimals(), QString::fromUtf8(c.decimals));
    const int before = w.Runs();
    w.Click(w.Button(Control::按钮1));
    EXPECT_TRUE(w.Button(Control::按钮1)->hasFocus());
    EXPECT_EQ(w.Runs() - before, c.runs) << c.decimals;
  }
}

TEST_F(MainWindowTest, NormalisingPutsTheCaretAtTheStartOfTheFormerSelection) {
  w.Paste(w.Decimals(), QStringLiteral("12x"));
  w.Decimals()->setSelection(1, 2);
  QTest::keyClick(w.Decimals(), Qt::Key_Tab);
  EXPECT_EQ(w.DecimalsText(), "12");
  EXPECT_EQ(w.Decimals()->cursorPosition(), 1);

  w.Decimals()->selectAll();
  w.Paste(w.Decimals(), QStringLiteral("0007"));
  w.Decimals()->setCursorPosition(3);
  QTest::keyClick(w.Decimals(), Qt::Key_Tab);
  EXPECT_EQ(w.DecimalsText(), "7");
  EXPECT_EQ(w.Decimals()->cursorPosition(), 1);
}

TEST_F(MainWindowTest, DecimalsBoxKeepsItsTextWhileItsContextMenuIsOpen) {
  w.Paste(w.Decimals(), QStringLiteral("-"));
  const int before = w.Runs();
  QFocusEvent to_menu(QEvent::FocusOut, Qt::PopupFocusReason);
  QApplication::sendEvent(w.Decimals(), &to_menu);
  EXPECT_EQ(w.DecimalsText(), "-");
  EXPECT_EQ(w.Runs(), before);
}

TEST_F(MainWindowTest, AboutLinkPutsTheAboutTextInFront) {
  w.Type(w.Input(), "1+2");
  w.Click(w.Find(Control::超级链接框1));
  EXPECT_EQ(w.window.GetBoxText(Control::编辑框1), TextConcat(AboutText(), "1+2"));
  EXPECT_EQ(TextSplit(w.window.GetBoxText(Control::编辑框2), "\r\n").size(), 11u);
  EXPECT_EQ(w.Runs(), 4);

  QTest::qWait(QApplication::doubleClickInterval() + 50);
  w.Click(w.Find(Control::超级链接框1));
  EXPECT_EQ(w.window.GetBoxText(Control::编辑框1), TextConcat(AboutText(), AboutText(), "1+2"));
  EXPECT_EQ(w.Runs(), 5);
}

TEST_F(MainWindowTest, DoubleClickOnTheAboutLinkInsertsTheAboutTextOnce) {
  w.DoubleClick(w.Find(Control::超级链接框1));
  EXPECT_EQ(w.window.GetBoxText(Control::编辑框1), AboutText());
  EXPECT_EQ(w.Runs(), 1);
}

TEST_F(MainWindowTest, ClearEmptiesInputAndResultsAndKeepsTheSettings) {
  w.Type(w.Input(), "1+1");
  w.Type(w.Decimals(), "2");
  w.Click(w.Button(Control::选择框2));
  const int before = w.Runs();
  w.Click(w.Button(Control::按钮3));
  EXPECT_EQ(w.Runs() - before, 1);
  EXPECT_EQ(w.InputText(), "");
  EXPECT_EQ(w.ResultsText(), "");
  EXPECT_EQ(w.DecimalsText(), "2");
  EXPECT_TRUE(w.Button(Control::选择框2)->isChecked());
}

TEST_F(MainWindowTest, CopyPutsTheWholeResultsOnTheClipboardWithItsFinalLineBreak) {
  w.Type(w.Input(), "1+1");
  QTest::keyClick(w.Input(), Qt::Key_Return);
  QTest::keyClicks(w.Input(), "2*3");
  w.Click(w.Button(Control::按钮2));
  // The platform's line break: what a paste into any other program here gives line for line.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1+1=2\n2*3=6\n"));

  // Pasting it back gives the same lines.
  w.Click(w.Button(Control::按钮3));
  w.Paste(w.Input(), QGuiApplication::clipboard()->text());
  EXPECT_EQ(w.InputText(), "1+1=2\r\n2*3=6\r\n");
}

TEST_F(MainWindowTest, CopyOfAnEmptyResultsBoxLeavesTheClipboardAsItWas) {
  QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
  w.Click(w.Button(Control::按钮2));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"));
}

TEST_F(MainWindowTest, CtrlAAloneSelectsAllOfABigBox) {
  struct Case {
    Qt::KeyboardModifiers modifiers;
    bool selects;
  };
  const Case cases[] = {
      {Qt::ControlModifier, true},
      {Qt::ControlModifier | Qt::ShiftModifier, false},
      {Qt::ControlModifier | Qt::AltModifier, false},
      {Qt::NoModifier, false},
  };
  for (const Control box : {Control::编辑框1, Control::编辑框2}) {
    for (const Case& c : cases) {
      Harness w;
      ASSERT_TRUE(w.active);
      auto* edit = w.Find<QPlainTextEdit>(box);
      edit->setPlainText(QStringLiteral("1+1\n中文\n2"));
      edit->moveCursor(QTextCursor::Start);
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_A, c.modifiers);
      const QTextCursor cursor = edit->textCursor();
      if (c.selects) {
        EXPECT_EQ(cursor.selectionStart(), 0) << ControlName(box);
        EXPECT_EQ(cursor.selectionEnd(), edit->document()->characterCount() - 1);
        EXPECT_EQ(cursor.position(), cursor.selectionEnd());
      } else {
        EXPECT_FALSE(cursor.hasSelection()) << ControlName(box) << " " << c.modifiers;
      }
    }
  }
}

TEST_F(MainWindowTest, SelectAllReachesTheEndPastCharactersOutsideTheCodePage) {
  // Each of these takes two positions in the box and reads as one "?" byte.
  const QString text = QString::fromUcs4(U"\U0001F600\U0001F600\U0001F600x");
  w.Input()->setPlainText(text);
  SelectAllOnCtrlA(w.window, Control::编辑框1, kVirtualKeyA, kModifierCtrl);
  EXPECT_EQ(w.Input()->textCursor().selectedText(), text);
}

TEST_F(MainWindowTest, TabMovesTheFocusAndEnterBreaksLinesOnlyInTheBigBoxes) {
  w.Type(w.Input(), "1");
  QTest::keyClick(w.Input(), Qt::Key_Tab);
  EXPECT_FALSE(w.Input()->hasFocus());
  EXPECT_EQ(w.InputText(), "1");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(w.Input()->hasFocus());

  w.Type(w.Results(), "x");
  QTest::keyClick(w.Results(), Qt::Key_Return);
  EXPECT_EQ(w.ResultsText(), "1=1\r\nx\r\n");
  QTest::keyClick(w.Results(), Qt::Key_Tab);
  EXPECT_FALSE(w.Results()->hasFocus());

  w.Type(w.Decimals(), "2");
  const int before = w.Runs();
  QTest::keyClick(w.Decimals(), Qt::Key_Return);
  EXPECT_EQ(w.DecimalsText(), "2");
  EXPECT_EQ(w.Runs(), before);
}

TEST_F(MainWindowTest, EscapeClosesTheWindowFromTheInputBox) {
  w.Type(w.Input(), "1+1");
  ASSERT_TRUE(w.Input()->hasFocus());
  QTest::keyClick(w.Input(), Qt::Key_Escape);
  EXPECT_FALSE(w.window.isVisible());
}

TEST_F(MainWindowTest, EscapeClosesTheWindowFromTheDecimalsBox) {
  w.Type(w.Decimals(), "3");
  QTest::keyClick(w.Decimals(), Qt::Key_Escape);
  EXPECT_FALSE(w.window.isVisible());
}

TEST_F(MainWindowTest, AlwaysOnTopFollowsItsBoxWithoutHidingTheWindow) {
  w.Click(w.Button(Control::选择框1));
  EXPECT_TRUE(w.window.always_on_top());
  EXPECT_TRUE(w.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(w.window.isVisible());
  const QPoint pos = w.window.pos();
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  w.Click(w.Button(Control::选择框1));
  EXPECT_FALSE(w.window.always_on_top());
  EXPECT_FALSE(w.window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(w.window.isVisible());
  EXPECT_EQ(w.window.pos(), pos);
}

// Dragging with the left button from a point of the window moves the window by the mouse's
// distance where the point belongs to the background, a label or a picture.
TEST(MainWindowMoveTest, BackgroundLabelsAndPicturesMoveTheWindow) {
  struct Case {
    const char* where;
    std::function<QPoint(Harness&)> point;  // in the window
    bool moves;
  };
  const auto centre_of = [](Control control) {
    return [control](Harness& w) { return w.WindowPos(w.Find(control), {}); };
  };
  const Case cases[] = {
      {"background", [](Harness&) { return QPoint(250, 20); }, true},
      {"标签2",
       [](Harness& w) {
         return w.WindowPos(w.Find(Control::标签2), {40, 12});
       },
       true},
      {"标签1", centre_of(Control::标签1), true},
      {"图片框1", centre_of(Control::图片框1), true},
      {"图片框2",
       [](Harness& w) {
         return w.WindowPos(w.Find(Control::图片框2), {5, 3});
       },
       true},
      {"按钮1", centre_of(Control::按钮1), false},
      {"选择框2",
       [](Harness& w) {
         return w.WindowPos(w.Find(Control::选择框2), {70, 8});
       },
       false},
      {"编辑框1", centre_of(Control::编辑框1), false},
      {"编辑框3", centre_of(Control::编辑框3), false},
      {"超级链接框1", centre_of(Control::超级链接框1), false},
  };
  for (const Case& c : cases) {
    Harness w;
    ASSERT_TRUE(w.active);
    QWindow* handle = w.window.windowHandle();
    const QPoint start = w.window.pos();
    const QPoint at = c.point(w);
    QTest::mousePress(handle, Qt::LeftButton, {}, at);
    QTest::mouseMove(handle, at + QPoint(30, 20));
    const QPoint moved = w.window.pos() - start;
    // The pointer stays over the same point of the moved window.
    QTest::mouseRelease(handle, Qt::LeftButton, {}, at);
    EXPECT_EQ(moved, c.moves ? QPoint(30, 20) : QPoint(0, 0)) << c.where;
    EXPECT_EQ(w.window.pos() - start, moved) << c.where;
  }
}

TEST_F(MainWindowTest, ProgramReplacementsRaiseTheTextChangedEventOnce) {
  struct Case {
    Control box;
    const char* text;
    int runs;
  };
  const Case cases[] = {
      {Control::编辑框1, "1+1", 1}, {Control::编辑框1, "1+1", 1}, {Control::编辑框1, "", 1},
      {Control::编辑框3, "2", 1},   {Control::编辑框3, "2", 1},   {Control::编辑框2, "x", 0},
  };
  for (const Case& c : cases) {
    const int before = w.Runs();
    w.window.SetBoxText(c.box, c.text);
    EXPECT_EQ(w.Runs() - before, c.runs) << ControlName(c.box) << " " << c.text;
    EXPECT_EQ(TextToUtf8(w.window.GetBoxText(c.box)), c.text);
  }
}

TEST_F(MainWindowTest, AppendGoesToTheEndAsAnEditThatCannotBeUndone) {
  w.Type(w.Results(), "abc");
  QTextCursor cursor = w.Results()->textCursor();
  cursor.setPosition(1);
  cursor.setPosition(2, QTextCursor::KeepAnchor);
  w.Results()->setTextCursor(cursor);
  w.window.AppendBoxText(Control::编辑框2, "=1\r\nnext");
  EXPECT_EQ(w.ResultsText(), "abc=1\r\nnext");
  EXPECT_FALSE(w.Results()->textCursor().hasSelection());
  EXPECT_TRUE(w.Results()->textCursor().atEnd());
  QTest::keyClick(w.Results(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.ResultsText(), "abc=1\r\nnext");
  EXPECT_EQ(w.Runs(), 0);
}

// The results box is rewritten in place as one edit of what differs; whatever it held before,
// even text the user typed into it, it ends up holding exactly the new text with the caret at
// its end, and no undo brings the old text back.
TEST_F(MainWindowTest, ReplacingTheResultsLeavesExactlyTheNewText) {
  struct Case {
    const char* before;
    const char* after;
  } cases[] = {
      {"", "1+1=2\r\n"},
      {"1+1=2\r\n", "1+1=2\r\n"},
      {"1=1\r\n2=2\r\n3=3\r\n", "1=1\r\n22=22\r\n3=3\r\n"},
      {"1=1\r\n2=2\r\n", "1=1\r\n"},
      {"1=1\r\n", "0=0\r\n1=1\r\n"},
      {"typed by hand", "1+1=2\r\n"},
      {"1😀=1\r\n", "1=1\r\n"},  // a character beyond the code page, typed by the user
      {"😀\r\n2=2\r\n", "1=1\r\n2=2\r\n"},
      {"x\r\n", ""},
  };
  for (const Case& c : cases) {
    w.window.SetBoxText(Control::编辑框2, Utf8ToText(c.before));
    w.Results()->setPlainText(QString::fromUtf8(c.before).replace("\r\n", "\n"));
    w.window.ReplaceBoxText(Control::编辑框2, Utf8ToText(c.after));
    EXPECT_EQ(w.Results()->toPlainText(), QString::fromUtf8(c.after).replace("\r\n", "\n"))
        << c.before << " -> " << c.after;
    EXPECT_TRUE(w.Results()->textCursor().atEnd());
    QTest::keyClick(w.Results(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.Results()->toPlainText(), QString::fromUtf8(c.after).replace("\r\n", "\n"));
  }
  EXPECT_EQ(w.Runs(), 0);
}

TEST_F(MainWindowTest, AKeystrokeInALongInputRewritesOnlyItsResultLine) {
  QString lines;
  for (int i = 0; i < 2000; ++i) lines += QStringLiteral("%1*2\n").arg(i);
  w.Paste(w.Input(), lines);
  const QTextBlock first = w.Results()->document()->firstBlock();
  const int revision = first.revision();
  w.Input()->moveCursor(QTextCursor::End);
  w.Type(w.Input(), "7");
  // The first result line was left alone; the last input line is new and has its result.
  EXPECT_EQ(w.Results()->document()->firstBlock().revision(), revision);
  EXPECT_EQ(w.Results()->document()->blockCount(), 2002);
  EXPECT_EQ(w.Results()->document()->findBlockByNumber(2000).text(), "7=7");
  EXPECT_TRUE(w.Results()->textCursor().atEnd());
}

TEST_F(MainWindowTest, ResultsScrollToTheirLastLine) {
  QString lines;
  for (int i = 0; i < 60; ++i) lines += QStringLiteral("%1+1\n").arg(i);
  w.Paste(w.Input(), lines);
  QScrollBar* bar = w.Results()->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(w.Results()->document()->blockCount(), 61);
}

TEST_F(MainWindowTest, LongLinesWrapAtTheBoxWidth) {
  w.Paste(w.Input(), QString(200, u'1'));
  QTextBlock block = w.Input()->document()->firstBlock();
  ASSERT_TRUE(block.layout() != nullptr);
  EXPECT_GT(block.layout()->lineCount(), 1);
}

}  // namespace
}  // namespace orlinde
