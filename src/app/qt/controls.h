// The window's own kinds of control: the Qt widgets with the few behaviours of their own that
// the main window needs (key events passed on first, a decimals box that refuses letters, a
// hyperlink label, check boxes clickable over their whole area, the engine's holder).
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <cstdint>

#include "eval/evaluator.h"

namespace orlinde {

// 编辑框1 and 编辑框2: multi-line, wrapping at the box's width, Tab moving the focus.
class TextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TextBox(QWidget* parent);

 signals:
  // The box's text changed: once for each event the box handles that changes it (a key, a
  // paste, a drop), and once for each change by program made outside such an event.
  void TextChanged();

  // Raised for every key press before the box handles the key itself, with the key's virtual
  // key code and modifier state. (The moc cannot read the window-services header, so the state
  // travels as its underlying type.)
  void KeyPressed(int virtual_key, std::uint32_t modifiers);

 protected:
  bool event(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Runs the box's own handling of one event, holding back its change notifications until the
  // handling is done: Enter on an empty line, for one, notifies twice.
  template <typename Handle>
  bool Coalesced(Handle handle);

  int event_depth_ = 0;
  bool changed_in_event_ = false;
};

// 编辑框3: single line; typed characters other than "-" and digits are refused without a
// sound, while pastes and control keys pass.
class DecimalsBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit DecimalsBox(QWidget* parent);

 signals:
  // Raised when the box loses the focus to another control or window (not to its own context
  // menu), before it drops its selection.
  void FocusLost();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

// 超级链接框1: a text that looks like a link, acts on a left press and does nothing by itself.
class HyperlinkLabel : public QLabel {
  Q_OBJECT

 public:
  static constexpr QRgb kColour = qRgb(192, 192, 192);
  static constexpr QRgb kHoverColour = qRgb(128, 224, 0);

  HyperlinkLabel(const QString& text, QWidget* parent);

 signals:
  void LeftPressed();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void SetColour(QRgb colour);
};

// 选择框1 and 选择框2: a press anywhere on the box toggles it, as on the platform's check boxes,
// so no part of it moves the window.
class CheckBox : public QCheckBox {
  Q_OBJECT

 public:
  CheckBox(const QString& text, QWidget* parent);

 protected:
  bool hitButton(const QPoint& pos) const override;
};

// 脚本组件2: never shown; it holds the expression engine for the life of the window.
class ScriptComponent : public QWidget {
  Q_OBJECT

 public:
  explicit ScriptComponent(QWidget* parent);

  Evaluator& evaluator() { return evaluator_; }

 private:
  Evaluator evaluator_;
};

}  // namespace orlinde
