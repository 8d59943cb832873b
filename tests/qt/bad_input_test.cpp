// Characters that code page 936 cannot hold, and the byte 0, at the edge between the boxes and
// the program's texts: whatever is pasted, each line of the input box gets its result line,
// and the lines after come out right.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "app/qt/box_text.h"
#include "app/qt/main_window.h"
#include "text/codec.h"

namespace orlinde {
namespace {

QString FromUtf16(std::u16string_view s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

// A lone high surrogate, a lone low one, a pair, the character U+0000, and each next to a line
// break, which becomes "\r\n" before the conversion and must not be taken into a pair.
TEST(BadInputBoxText, BoxTextNeverHoldsTheByteZero) {
  struct Case {
    std::u16string box;
    Text text;
  } cases[] = {
      {std::u16string(u"1+1") + u'\0' + u"\n2", "1+1?\r\n2"},
      {std::u16string(1, u'\0'), "?"},
      {u"\xD800\n1", "?\r\n1"},
      {u"1\n\xDC00", "1\r\n?"},
      {u"\xDC00\xD800", "??"},  // the wrong order is no pair
      {u"\U0001F600\n\U0001F600", "?\r\n?"},
      {u"\xD83D", "?"},  // half a pair at the end
      {u"\uFEFF1", "?1"},
      {u"\u4E00\n", "\xD2\xBB\r\n"},
  };
  for (const Case& c : cases) {
    const Text text = BoxStringToText(FromUtf16(c.box));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(text.find('\0'), Text::npos);
  }
}

class BadInputWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  QPlainTextEdit* Input() { return window.findChild<QPlainTextEdit*>("编辑框1"); }
  QLineEdit* Decimals() { return window.findChild<QLineEdit*>("编辑框3"); }
  QCheckBox* Scientific() { return window.findChild<QCheckBox*>("选择框2"); }
  Text Results() { return window.GetBoxText(Control::编辑框2); }

  void Paste(QWidget* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
  }

  MainWindow window;
};

TEST_F(BadInputWindowTest, PastedCharactersOutsideTheCodePageKeepTheLinesApart) {
  const std::u16string pasted = std::u16string(u"1+1") + u'\0' + u"\n" +
                                u"\U0001F6002*3\n"
                                u"\xD800\n"
                                u"4/2\xDC00\n"
                                u"sqrt(4)\xD83D\n"
                                u"1+1";
  Paste(Input(), FromUtf16(pasted));
  EXPECT_EQ(Results(), "1+1=2\r\n2*3=6\r\n=0\r\n4/2=2\r\n(4)=4\r\n1+1=2\r\n");
  QTest::mouseClick(Scientific(), Qt::LeftButton);
  ASSERT_TRUE(Scientific()->isChecked());
  EXPECT_EQ(Results(), "1+1=2\r\n2*3=6\r\n=0\r\n4/2=2\r\nsqrt(4)=2\r\n1+1=2\r\n");
}

// A paste from a system whose line break is "\r\n" or "\r" still gives one line per line.
TEST_F(BadInputWindowTest, PastedCarriageReturnsBreakLines) {
  Paste(Input(), QStringLiteral("1+1\r\n2*3\r4/2\r\n\r\n5"));
  EXPECT_EQ(window.GetBoxText(Control::编辑框1), "1+1\r\n2*3\r\n4/2\r\n\r\n5");
  EXPECT_EQ(Results(), "1+1=2\r\n2*3=6\r\n4/2=2\r\n=0\r\n5=5\r\n");
}

TEST_F(BadInputWindowTest, AMillionCharacterLineIsOneResultLine) {
  Paste(Input(), QString(1'000'000, u'9') + QStringLiteral("\n1+1"));
  const Text results = Results();
  EXPECT_TRUE(results == Text(1'000'000, '9') + "=1.#INF\r\n1+1=2\r\n") << results.size();
}

TEST_F(BadInputWindowTest, PastedDecimalsOutsideTheCodePageReadAsNoNumber) {
  Paste(Input(), QStringLiteral("1/3"));
  struct Case {
    std::u16string decimals;
    Text results;
  } cases[] = {
      {u"\U0001F600", "1/3=0\r\n"},
      {std::u16string(u"2") + u'\0', "1/3=0.33\r\n"},
      {std::u16string(1, u'\xD800') + u"3", "1/3=0\r\n"},
      {u"99999999999999999999", "1/3=0.3333333333333" + Text(171, '0') + "\r\n"},
  };
  for (const Case& c : cases) {
    Paste(Decimals(), FromUtf16(c.decimals));
    EXPECT_EQ(Results(), c.results);
    EXPECT_EQ(window.GetBoxText(Control::编辑框3).find('\0'), Text::npos);
  }
}

}  // namespace
}  // namespace orlinde
