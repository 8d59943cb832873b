// The main window as assistive technology sees it: through Qt's accessibility interfaces, the
// same objects a screen reader is handed, not through the widgets' own properties.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <map>
#include <vector>

#include "app/qt/main_window.h"
#include "text/codec.h"

namespace orlinde {
namespace {

struct Case {
  Control control;
  const char* name;  // the caption where the control has one
  QAccessible::Role role;
  bool described;  // whether it says what it does beyond its name
  bool tab_stop;   // whether the keyboard focus reaches it
};

// One line per control, in the window's list order.
constexpr Case kControls[] = {
    {Control::按钮3, "CE", QAccessible::PushButton, true, true},
    {Control::选择框2, "科学计算", QAccessible::CheckBox, true, true},
    {Control::选择框1, "置顶", QAccessible::CheckBox, true, true},
    {Control::按钮1, "计算", QAccessible::PushButton, true, true},
    {Control::超级链接框1, "关于", QAccessible::StaticText, true, false},
    {Control::编辑框3, "保留小数", QAccessible::EditableText, true, true},
    {Control::标签1, "保留小数:", QAccessible::StaticText, false, false},
    {Control::图片框1, "保留小数标志", QAccessible::Graphic, false, false},
    {Control::图片框2, "小数位数", QAccessible::Client, false, false},
    {Control::按钮2, "复制结果", QAccessible::PushButton, true, true},
    {Control::标签2, "计算文本中的数学算式（每行）", QAccessible::StaticText, false, false},
    {Control::编辑框2, "结果", QAccessible::EditableText, true, true},
    {Control::编辑框1, "输入", QAccessible::EditableText, true, true},
};

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QAccessibleInterface* Interface(Control control) {
    return QAccessible::queryAccessibleInterface(window.ControlWidget(control));
  }

  // Every object below the window in the accessible tree, as a reader walks it.
  std::vector<QAccessibleInterface*> Tree() {
    std::vector<QAccessibleInterface*> found;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
      for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child == nullptr) continue;
        found.push_back(child);
        walk(child);
      }
    };
    walk(QAccessible::queryAccessibleInterface(&window));
    return found;
  }

  MainWindow window;
};

TEST_F(AccessibilityTest, TheWindowIsNamedByItsCaptionAndSaysWhatItDoes) {
  QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&window);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->text(QAccessible::Name), window.windowTitle());
  EXPECT_EQ(top->text(QAccessible::Name), QStringLiteral("Orlinde"));
  EXPECT_FALSE(top->text(QAccessible::Description).isEmpty());
}

TEST_F(AccessibilityTest, EveryControlHasItsNameRoleDescriptionAndFocus) {
  for (const Case& c : kControls) {
    SCOPED_TRACE(ControlName(c.control));
    QAccessibleInterface* node = Interface(c.control);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->object(), window.ControlWidget(c.control));
    EXPECT_EQ(node->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_EQ(node->role(), c.role);
    EXPECT_FALSE(node->state().invisible);
    EXPECT_EQ(!node->text(QAccessible::Description).isEmpty(), c.described);
    EXPECT_EQ(node->state().focusable, c.tab_stop);
  }
}

TEST_F(AccessibilityTest, EveryShownControlIsInTheWindowsTreeOnceAndTheEngineIsHidden) {
  std::map<QObject*, int> seen;
  for (QAccessibleInterface* node : Tree()) ++seen[node->object()];
  for (const Case& c : kControls) {
    EXPECT_EQ(seen[window.ControlWidget(c.control)], 1) << ControlName(c.control);
  }
  // The engine's holder is never shown, so a reader must pass over it.
  QAccessibleInterface* engine = Interface(Control::脚本组件2);
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(engine->state().invisible);
}

TEST_F(AccessibilityTest, NoTwoShownObjectsShareAName) {
  std::map<QString, std::vector<QString>> holders;
  holders[QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name)].push_back(
      QStringLiteral("MainWindow"));
  for (QAccessibleInterface* node : Tree()) {
    const QString name = node->text(QAccessible::Name);
    if (node->state().invisible || name.isEmpty()) continue;
    holders[name].push_back(node->object()->objectName());
  }
  for (const auto& [name, objects] : holders) {
    EXPECT_EQ(objects.size(), 1u)
        << name.toStdString() << " is the name of "
        << QStringList(objects.begin(), objects.end()).join(", ").toStdString();
  }
}

TEST_F(AccessibilityTest, TheDecimalsLabelLabelsTheDecimalsBox) {
  QAccessibleInterface* box = Interface(Control::编辑框3);
  ASSERT_NE(box, nullptr);
  std::vector<QObject*> labels;
  for (const auto& [other, relation] : box->relations(QAccessible::Label)) {
    labels.push_back(other->object());
  }
  EXPECT_EQ(labels, std::vector<QObject*>{window.ControlWidget(Control::标签1)});
}

TEST_F(AccessibilityTest, AReaderReadsTheBoxesTextsAndTheTicks) {
  window.SetBoxText(Control::编辑框1, Utf8ToText("1+1\r\n2*3"));
  window.SetBoxText(Control::编辑框3, Utf8ToText("2"));
  struct Read {
    Control box;
    const char* text;
  };
  const Read reads[] = {
      {Control::编辑框1, "1+1\n2*3"},
      {Control::编辑框2, "1+1=2.00\n2*3=6.00\n"},
      {Control::编辑框3, "2"},
  };
  for (const Read& read : reads) {
    SCOPED_TRACE(ControlName(read.box));
    QAccessibleInterface* node = Interface(read.box);
    ASSERT_NE(node, nullptr);
    QAccessibleTextInterface* text = node->textInterface();
    ASSERT_NE(text, nullptr);
    QString got = text->text(0, text->characterCount());
    got.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    EXPECT_EQ(got, QString::fromUtf8(read.text));
  }

  QAccessibleInterface* scientific = Interface(Control::选择框2);
  ASSERT_NE(scientific, nullptr);
  EXPECT_TRUE(scientific->state().checkable);
  EXPECT_FALSE(scientific->state().checked);
  QTest::mouseClick(window.ControlWidget(Control::选择框2), Qt::LeftButton);
  EXPECT_TRUE(scientific->state().checked);
}

}  // namespace
}  // namespace orlinde
