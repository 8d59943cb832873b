#include "app/qt/controls.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPalette>

#include "app/qt/box_text.h"
#include "app/window_services.h"

namespace orlinde {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Breaking lines anywhere keeps the layout linear: preferring word boundaries makes Qt's layout
  // of a long line without one (a pasted expression of a million characters) take minutes.
  setWordWrapMode(QTextOption::WrapAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  // The selection is shown only while the box has the focus.
  colours.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  setPalette(colours);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (event_depth_ > 0) {
      changed_in_event_ = true;
    } else {
      emit TextChanged();
    }
  });
}

template <typename Handle>
bool TextBox::Coalesced(Handle handle) {
  ++event_depth_;
  const bool handled = handle();
  if (--event_depth_ == 0 && changed_in_event_) {
    changed_in_event_ = false;
    emit TextChanged();
  }
  return handled;
}

bool TextBox::event(QEvent* event) {
  return Coalesced([&] { return QPlainTextEdit::event(event); });
}

bool TextBox::viewportEvent(QEvent* event) {
  return Coalesced([&] { return QPlainTextEdit::viewportEvent(event); });
}

// Plain text goes in at the cursor as one edit, as the standard paste does, but without the
// intermediate document that makes the standard way more than twice as slow for a long paste.
void TextBox::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.insertText(source->text());
  setTextCursor(cursor);
  ensureCursorVisible();
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  emit KeyPressed(VirtualKeyOf(event->key()), ModifierStateOf(event->modifiers()));
  QPlainTextEdit::keyPressEvent(event);
}

DecimalsBox::DecimalsBox(QWidget* parent) : QLineEdit(parent) {
  setFrame(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  setPalette(colours);
  // An input method would commit text past the key filter; whole numbers need none.
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

void DecimalsBox::keyPressEvent(QKeyEvent* event) {
  if (DecimalsBoxRefusesTypedText(event->text(), event->modifiers())) {
    event->accept();  // swallowed quietly: no beep, and the window sees nothing either
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void DecimalsBox::focusOutEvent(QFocusEvent* event) {
  if (event->reason() != Qt::PopupFocusReason) emit FocusLost();
  QLineEdit::focusOutEvent(event);
}

HyperlinkLabel::HyperlinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFrameStyle(QFrame::NoFrame);
  SetColour(kColour);
}

void HyperlinkLabel::SetColour(QRgb colour) {
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, QColor(colour));
  setPalette(colours);
}

void HyperlinkLabel::enterEvent(QEnterEvent* event) {
  SetColour(kHoverColour);
  QLabel::enterEvent(event);
}

void HyperlinkLabel::leaveEvent(QEvent* event) {
  SetColour(kColour);
  QLabel::leaveEvent(event);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
  // Every press is the link's own, so that none of them starts a window move.
  event->accept();
  if (event->button() == Qt::LeftButton) emit LeftPressed();
}

void HyperlinkLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click has no command; the base class would treat it as a
  // press.
  event->accept();
}

CheckBox::CheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {}

bool CheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

ScriptComponent::ScriptComponent(QWidget* parent) : QWidget(parent) { setVisible(false); }

}  // namespace orlinde
