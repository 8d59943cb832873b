#include "app/memory_window.h"

#include <algorithm>

namespace orlinde {

Text MemoryWindow::GetBoxText(Control box) {
  ++get_calls_[box];
  const auto it = boxes_.find(box);
  return it == boxes_.end() ? Text() : it->second;
}

void MemoryWindow::SetBoxText(Control box, const Text& text) {
  ++set_calls_[box];
  boxes_[box] = text;
  selections_[box] = {TextLength(text), 0};
  RaiseTextChanged(box);
}

void MemoryWindow::AppendBoxText(Control box, Text text) {
  ++append_calls_[box];
  Text& current = boxes_[box];
  if (current.empty()) {
    current = std::move(text);
  } else {
    current += text;
  }
  selections_[box] = {TextLength(current), 0};
  RaiseTextChanged(box);
}

void MemoryWindow::ReplaceBoxText(Control box, Text text) {
  ++replace_calls_[box];
  Text& current = boxes_[box];
  current = std::move(text);
  selections_[box] = {TextLength(current), 0};
  RaiseTextChanged(box);
}

bool MemoryWindow::IsChecked(Control box) {
  ++checked_reads_[box];
  const auto it = checked_.find(box);
  return it != checked_.end() && it->second;
}

void MemoryWindow::SetBoxSelection(Control box, int start, int length) {
  const int size = TextLength(boxes_[box]);
  start = std::clamp(start, 0, size);
  const int end = std::clamp(start + std::max(length, 0), start, size);
  selections_[box] = {start, end - start};
}

void MemoryWindow::SetAlwaysOnTop(bool on_top) { always_on_top_ = on_top; }

bool MemoryWindow::SetClipboardText(const Text& text) {
  if (!clipboard_available) return false;
  clipboard_ = text;
  return true;
}

std::optional<MemoryWindow::Selection> MemoryWindow::selection(Control box) const {
  const auto it = selections_.find(box);
  if (it == selections_.end()) return std::nullopt;
  return it->second;
}

}  // namespace orlinde
