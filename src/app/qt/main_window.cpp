#include "app/qt/main_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <climits>

#include "app/commands.h"
#include "app/qt/box_text.h"
#include "app/qt/controls.h"
#include "app/qt/start_up.h"

// The artwork lives in a static library, so its resources are pulled in by name.
static void InitialiseArtwork() { Q_INIT_RESOURCE(orlinde); }

namespace orlinde {

namespace {

// Holds back a box's own change notifications for the life of the guard.
template <std::size_t N>
class Silence {
 public:
  Silence(std::bitset<N>& silenced, std::size_t index)
      : silenced_(silenced), index_(index), was_(silenced[index]) {
    silenced_[index_] = true;
  }
  ~Silence() { silenced_[index_] = was_; }
  Silence(const Silence&) = delete;
  Silence& operator=(const Silence&) = delete;

 private:
  std::bitset<N>& silenced_;
  std::size_t index_;
  bool was_;
};

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::WindowText, colour);
  widget->setPalette(colours);
}

QIcon WindowIcon() {
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/orlinde/orlinde-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
  static_assert(static_cast<std::size_t>(Control::脚本组件2) + 1 == kControlCount,
                "one widget for every control");
  InitialiseArtwork();
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Orlinde"));
  setWindowIcon(WindowIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientSize);
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setFont(ControlFont(12));
  QToolTip::setFont(ControlFont(12));
  setAccessibleName(QStringLiteral("Orlinde"));
  setAccessibleDescription(QStringLiteral("计算文本中每一行的数学算式"));

  CreateControls();
  driver_ = std::make_unique<CalculationDriver>(*this, script_->evaluator());
  BindEvents();
  CentreOnScreen();
  input_->setFocus(Qt::OtherFocusReason);
}

MainWindow::~MainWindow() {
  // Destroying the window closes it, which takes the focus from its boxes; their events must no
  // longer reach the driver and the engine, which are gone by then.
  for (QObject* child : findChildren<QObject*>()) disconnect(child, nullptr, this, nullptr);
}

void MainWindow::Register(Control control, QWidget* widget, const QString& accessible_name,
                          const QString& description) {
  widget->setObjectName(QString::fromUtf8(ControlName(control)));
  widget->setAccessibleName(accessible_name);
  if (!description.isEmpty()) widget->setAccessibleDescription(description);
  widgets_[Index(control)] = widget;
}

void MainWindow::CreateControls() {
  // Controls are made in the window's list order, each placed below the ones before it, so the
  // earlier ones stay on top where they overlap (the about link lies on the heading's right end).
  auto* clear = new QPushButton(QStringLiteral("CE"), this);
  clear->setGeometry(8, 183, 32, 24);
  Register(Control::按钮3, clear, QStringLiteral("CE"), QStringLiteral("清空输入框"));

  auto* scientific = new CheckBox(QStringLiteral("科学计算"), this);
  scientific->setGeometry(272, 10, 72, 16);
  scientific->setToolTip(TextToBoxString(ScientificTooltipText()));
  Register(Control::选择框2, scientific, QStringLiteral("科学计算"),
           QStringLiteral("勾选后支持函数、百分数和乘方"));

  auto* on_top = new CheckBox(QStringLiteral("置顶"), this);
  on_top->setGeometry(360, 10, 56, 16);
  Register(Control::选择框1, on_top, QStringLiteral("置顶"),
           QStringLiteral("勾选后窗口总在其他窗口之上"));

  auto* calculate = new QPushButton(QStringLiteral("计算"), this);
  calculate->setGeometry(127, 183, 140, 24);
  Register(Control::按钮1, calculate, QStringLiteral("计算"),
           QStringLiteral("重新计算输入框的每一行"));

  script_ = new ScriptComponent(this);
  script_->setGeometry(344, 8, 32, 32);
  Register(Control::脚本组件2, script_, QStringLiteral("脚本组件"));

  about_ = new HyperlinkLabel(QStringLiteral("关于"), this);
  about_->setGeometry(182, 9, 44, 15);
  about_->setFont(ControlFont(14));
  Register(Control::超级链接框1, about_, QStringLiteral("关于"),
           QStringLiteral("在输入框前插入程序信息和科学计算示例"));

  auto* panel = new QWidget(this);
  panel->setGeometry(248, 177, 168, 32);

  decimals_ = new DecimalsBox(panel);
  decimals_->setGeometry(95, 6, 73, 24);
  Register(Control::编辑框3, decimals_, QStringLiteral("保留小数"),
           QStringLiteral("结果保留的小数位数，留空则不取舍"));

  auto* decimals_label = new QLabel(QStringLiteral("保留小数:"), panel);
  // Five pixels wider than planned, up to the decimals box, so that the colon is not cut off.
  decimals_label->setGeometry(42, 9, 53, 16);
  decimals_label->setBuddy(decimals_);
  SetTextColour(decimals_label, Qt::black);
  Register(Control::标签1, decimals_label, QStringLiteral("保留小数:"));

  auto* decimals_picture = new QLabel(panel);
  decimals_picture->setGeometry(24, 9, 16, 16);
  decimals_picture->setPixmap(QPixmap(QStringLiteral(":/orlinde/decimals-16.png")));
  Register(Control::图片框1, decimals_picture, QStringLiteral("保留小数标志"));
  for (QWidget* child : {static_cast<QWidget*>(decimals_), static_cast<QWidget*>(decimals_label),
                         static_cast<QWidget*>(decimals_picture)}) {
    child->lower();
  }
  // The group takes a name of its own, so that it is not announced as the box it holds.
  Register(Control::图片框2, panel, QStringLiteral("小数位数"));

  auto* copy = new QPushButton(QStringLiteral("复制结果"), this);
  copy->setGeometry(44, 183, 80, 24);
  Register(Control::按钮2, copy, QStringLiteral("复制结果"),
           QStringLiteral("把结果框的全部文字复制到剪贴板"));

  auto* heading = new QLabel(QStringLiteral("计算文本中的数学算式（每行）"), this);
  heading->setGeometry(16, 7, 216, 24);
  SetTextColour(heading, Qt::black);
  Register(Control::标签2, heading, QStringLiteral("计算文本中的数学算式（每行）"));

  results_ = new TextBox(this);
  results_->setGeometry(1, 216, 420, 120);
  Register(Control::编辑框2, results_, QStringLiteral("结果"),
           QStringLiteral("每行显示一个算式和它的值"));

  input_ = new TextBox(this);
  input_->setGeometry(1, 32, 420, 144);
  Register(Control::编辑框1, input_, QStringLiteral("输入"),
           QStringLiteral("每行一个算式，修改后立即计算"));

  for (QWidget* widget : {static_cast<QWidget*>(clear), static_cast<QWidget*>(scientific),
                          static_cast<QWidget*>(on_top), static_cast<QWidget*>(calculate),
                          static_cast<QWidget*>(script_), static_cast<QWidget*>(about_), panel,
                          static_cast<QWidget*>(copy), static_cast<QWidget*>(heading),
                          static_cast<QWidget*>(results_), static_cast<QWidget*>(input_)}) {
    widget->lower();
  }

  // Focus moves in reading order, from the check boxes at the top to the results at the bottom.
  setTabOrder(scientific, on_top);
  setTabOrder(on_top, input_);
  setTabOrder(input_, clear);
  setTabOrder(clear, copy);
  setTabOrder(copy, calculate);
  setTabOrder(calculate, decimals_);
  setTabOrder(decimals_, results_);
}

void MainWindow::BindEvents() {
  connect(input_, &TextBox::TextChanged, this, [this] { OnWidgetTextChanged(Control::编辑框1); });
  connect(results_, &TextBox::TextChanged, this, [this] { OnWidgetTextChanged(Control::编辑框2); });
  connect(decimals_, &QLineEdit::textChanged, this,
          [this] { OnWidgetTextChanged(Control::编辑框3); });
  connect(decimals_, &DecimalsBox::FocusLost, this, &MainWindow::NormaliseDecimalsBox);

  auto* scientific = static_cast<QCheckBox*>(ControlWidget(Control::选择框2));
  auto* on_top = static_cast<QCheckBox*>(ControlWidget(Control::选择框1));
  connect(scientific, &QCheckBox::clicked, this, [this] { CalculateAll(); });
  connect(on_top, &QCheckBox::clicked, this, [this] { ToggleAlwaysOnTop(*this); });
  connect(static_cast<QPushButton*>(ControlWidget(Control::按钮1)), &QPushButton::clicked, this,
          [this] { CalculateAll(); });
  connect(static_cast<QPushButton*>(ControlWidget(Control::按钮2)), &QPushButton::clicked, this,
          [this] { CopyResults(*this); });
  connect(static_cast<QPushButton*>(ControlWidget(Control::按钮3)), &QPushButton::clicked, this,
          [this] { ClearInput(*this); });
  connect(about_, &HyperlinkLabel::LeftPressed, this, [this] { ShowAbout(*this); });

  connect(input_, &TextBox::KeyPressed, this, [this](int key, std::uint32_t modifiers) {
    SelectAllOnCtrlA(*this, Control::编辑框1, key, modifiers);
  });
  connect(results_, &TextBox::KeyPressed, this, [this](int key, std::uint32_t modifiers) {
    SelectAllOnCtrlA(*this, Control::编辑框2, key, modifiers);
  });

  // No control claims Esc, so it closes the window from anywhere in it.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();  // the whole screen, not the work area
  move(area.x() + (area.width() - kOuterSize.width()) / 2,
       area.y() + (area.height() - kOuterSize.height()) / 2);
}

void MainWindow::CalculateAll() {
  ++calculate_all_runs_;
  driver_->CalculateAll();
  if (on_calculated_all) on_calculated_all();
}

void MainWindow::OnWidgetTextChanged(Control box) {
  if (!silenced_[Index(box)]) RaiseTextChanged(box);
}

void MainWindow::RaiseTextChanged(Control box) {
  if (box == Control::编辑框1 || box == Control::编辑框3) CalculateAll();
}

void MainWindow::NormaliseDecimalsBox() {
  const Text text = GetBoxText(Control::编辑框3);
  const Text normalised = DecimalsBoxNormalise(text);
  if (normalised == text) return;
  const int caret =
      decimals_->hasSelectedText() ? decimals_->selectionStart() : decimals_->cursorPosition();
  SetBoxText(Control::编辑框3, normalised);
  decimals_->setCursorPosition(caret);
}

Text MainWindow::GetBoxText(Control box) {
  QWidget* widget = ControlWidget(box);
  if (auto* multi_line = qobject_cast<QPlainTextEdit*>(widget)) {
    return BoxStringToText(multi_line->toPlainText());
  }
  if (auto* single_line = qobject_cast<QLineEdit*>(widget)) {
    return BoxStringToText(single_line->text());
  }
  return {};
}

void MainWindow::SetBoxText(Control box, const Text& text) {
  QWidget* widget = ControlWidget(box);
  {
    const Silence silence(silenced_, Index(box));
    if (auto* multi_line = qobject_cast<QPlainTextEdit*>(widget)) {
      multi_line->setPlainText(TextToBoxString(text));
    } else if (auto* single_line = qobject_cast<QLineEdit*>(widget)) {
      single_line->setText(TextToBoxString(text));
    } else {
      return;
    }
  }
  RaiseTextChanged(box);
}

void MainWindow::AppendBoxText(Control box, Text text) {
  QWidget* widget = ControlWidget(box);
  {
    const Silence silence(silenced_, Index(box));
    if (auto* multi_line = qobject_cast<QPlainTextEdit*>(widget)) {
      QTextDocument* document = multi_line->document();
      QTextCursor cursor(document);
      cursor.movePosition(QTextCursor::End);
      // Turning the history off for the insertion keeps it out of the undo stack; the driver
      // appends only right after emptying the box, which clears the stack anyway.
      const bool undo = document->isUndoRedoEnabled();
      document->setUndoRedoEnabled(false);
      cursor.insertText(TextToBoxString(text));
      document->setUndoRedoEnabled(undo);
      multi_line->setTextCursor(cursor);
      multi_line->ensureCursorVisible();
    } else if (auto* single_line = qobject_cast<QLineEdit*>(widget)) {
      single_line->setText(single_line->text() + TextToBoxString(text));
      single_line->end(false);
    } else {
      return;
    }
  }
  RaiseTextChanged(box);
}

void MainWindow::ReplaceBoxText(Control box, Text text) {
  auto* multi_line = qobject_cast<QPlainTextEdit*>(ControlWidget(box));
  if (multi_line == nullptr) {
    SetBoxText(box, text);
    return;
  }
  {
    const Silence silence(silenced_, Index(box));
    const QString wanted = TextToBoxString(text);
    const QString current = multi_line->toPlainText();
    const auto [from, to, to_wanted] = ChangedStretch(current, wanted);
    QTextDocument* document = multi_line->document();
    // Turning the history off makes the change one that cannot be undone, as replacing the
    // whole text would be.
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    if (from == 0 && to == current.size()) {
      // Nothing in common: emptied and filled with history off, faster than setPlainText.
      document->clear();
      QTextCursor(document).insertText(wanted);
    } else if (from != to || from != to_wanted) {
      // Only the stretch that differs is edited, so a keystroke in a long input rewrites one
      // result line of the box instead of all of them.
      QTextCursor cursor(document);
      cursor.setPosition(from);
      cursor.setPosition(to, QTextCursor::KeepAnchor);
      cursor.insertText(wanted.mid(from, to_wanted - from));
    }
    document->setUndoRedoEnabled(undo);
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    multi_line->setTextCursor(end);
    multi_line->ensureCursorVisible();
  }
  RaiseTextChanged(box);
}

bool MainWindow::IsChecked(Control box) {
  auto* check_box = qobject_cast<QCheckBox*>(ControlWidget(box));
  return check_box != nullptr && check_box->isChecked();
}

void MainWindow::SetBoxSelection(Control box, int start, int length) {
  QWidget* widget = ControlWidget(box);
  const int end = static_cast<int>(
      std::clamp<long long>(static_cast<long long>(start) + std::max(length, 0), start, INT_MAX));
  if (auto* multi_line = qobject_cast<QPlainTextEdit*>(widget)) {
    const QString text = multi_line->toPlainText();
    QTextCursor cursor(multi_line->document());
    cursor.setPosition(BoxPositionOfTextOffset(text, start));
    cursor.setPosition(BoxPositionOfTextOffset(text, end), QTextCursor::KeepAnchor);
    multi_line->setTextCursor(cursor);
    multi_line->ensureCursorVisible();
  } else if (auto* single_line = qobject_cast<QLineEdit*>(widget)) {
    const QString text = single_line->text();
    const int from = BoxPositionOfTextOffset(text, start);
    single_line->setSelection(from, BoxPositionOfTextOffset(text, end) - from);
  }
}

void MainWindow::SetAlwaysOnTop(bool on_top) {
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on_top);
  // Changing the flag through the widget would hide the window; the native window takes it in
  // place, and the widget is told so that its flags stay true.
  if (QWindow* handle = windowHandle()) handle->setFlags(flags);
  overrideWindowFlags(flags);
}

bool MainWindow::always_on_top() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

bool MainWindow::SetClipboardText(const Text& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return false;
  clipboard->setText(ClipboardString(text));
  return true;
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  event->accept();
  drag_.reset();
  if (QWindow* handle = windowHandle(); handle != nullptr && handle->startSystemMove()) return;
  drag_ = Drag{event->globalPosition().toPoint(), pos()};
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!drag_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  event->accept();
  move(drag_->window_start + (event->globalPosition().toPoint() - drag_->press_global));
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_ && event->button() == Qt::LeftButton) {
    drag_.reset();
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

}  // namespace orlinde
