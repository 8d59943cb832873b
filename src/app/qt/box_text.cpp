#include "app/qt/box_text.h"

#include <algorithm>

#include "text/codec.h"

namespace orlinde {

namespace {

std::u16string_view Utf16View(const QString& s) {
  return {reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size())};
}

QString Utf16ToQString(const std::u16string& s) {
  return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

QString WithLineBreak(std::string_view text, const char* line_break) {
  QString s = Utf16ToQString(TextToUtf16(text));
  s.replace(QStringLiteral("\r\n"), QString::fromLatin1(line_break));
  return s;
}

}  // namespace

Text BoxStringToText(const QString& box_string) {
  QString s = box_string;
  s.replace(QChar(u'\n'), QStringLiteral("\r\n"));
  return Utf16ToText(Utf16View(s));
}

QString TextToBoxString(std::string_view text) { return WithLineBreak(text, "\n"); }

Stretch ChangedStretch(const QString& current, const QString& wanted) {
  const int shorter = static_cast<int>(std::min(current.size(), wanted.size()));
  int from = 0;
  while (from < shorter && current[from] == wanted[from]) ++from;
  if (from > 0 && current[from - 1].isHighSurrogate()) --from;
  int common_end = 0;  // characters the two share at their ends, after `from`
  while (common_end < shorter - from &&
         current[current.size() - 1 - common_end] == wanted[wanted.size() - 1 - common_end]) {
    ++common_end;
  }
  if (common_end > 0 && current[current.size() - common_end].isLowSurrogate()) --common_end;
  return {from, static_cast<int>(current.size()) - common_end,
          static_cast<int>(wanted.size()) - common_end};
}

QString ClipboardString(std::string_view text) { return WithLineBreak(text, "\n"); }

int BoxPositionOfTextOffset(const QString& box_string, int offset) {
  const std::u16string_view s = Utf16View(box_string);
  int bytes = 0;
  std::size_t i = 0;
  while (i < s.size() && bytes < offset) {
    std::size_t units = 1;
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
        s[i + 1] <= 0xDFFF) {
      units = 2;
    }
    bytes += s[i] == u'\n' ? 2 : static_cast<int>(Utf16ToText(s.substr(i, units)).size());
    i += units;
  }
  return static_cast<int>(std::min(i, s.size()));
}

ModifierState ModifierStateOf(Qt::KeyboardModifiers modifiers) {
  ModifierState state = 0;
  if (modifiers & Qt::ControlModifier) state |= kModifierCtrl;
  if (modifiers & Qt::ShiftModifier) state |= kModifierShift;
  if (modifiers & Qt::AltModifier) state |= kModifierAlt;
  return state;
}

int VirtualKeyOf(int qt_key) {
  if ((qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) ||
      (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)) {
    return qt_key;  // Qt gives these keys their capital ASCII codes, as virtual keys do
  }
  switch (qt_key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: return 0;
  }
}

bool DecimalsBoxRefusesTypedText(const QString& text, Qt::KeyboardModifiers modifiers) {
  if (modifiers & Qt::ControlModifier) return false;
  for (const QChar c : text) {
    if (!c.isPrint()) return false;
  }
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c != u'-' && (c < u'0' || c > u'9'); });
}

}  // namespace orlinde
