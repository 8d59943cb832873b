// A main window held in memory: the boxes are texts, the check boxes flags, the clipboard a
// text. It counts the calls the driver and the commands make, and raises a box's text-changed
// event through a callback, as the real window's bindings do.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <utility>

#include "app/window_services.h"

namespace orlinde {

class MemoryWindow : public WindowServices {
 public:
  struct Selection {
    int start = 0;
    int length = 0;
  };

  Text GetBoxText(Control box) override;
  void SetBoxText(Control box, const Text& text) override;
  void AppendBoxText(Control box, Text text) override;
  void ReplaceBoxText(Control box, Text text) override;
  bool IsChecked(Control box) override;
  void SetBoxSelection(Control box, int start, int length) override;
  void SetAlwaysOnTop(bool on_top) override;
  bool SetClipboardText(const Text& text) override;

  // Test and command-line helpers that act as the user would, without raising events.
  void PutBoxText(Control box, Text text) { boxes_[box] = std::move(text); }
  // The box's text, moved out and leaving the box empty, for a caller done with the window.
  Text TakeBoxText(Control box) { return std::move(boxes_[box]); }
  void SetChecked(Control box, bool checked) { checked_[box] = checked; }

  // Called after every change of a box's text, with the box; empty by default.
  std::function<void(Control)> on_text_changed;

  // What happened, for tests.
  int set_calls(Control box) const { return Count(set_calls_, box); }
  int append_calls(Control box) const { return Count(append_calls_, box); }
  int replace_calls(Control box) const { return Count(replace_calls_, box); }
  int get_calls(Control box) const { return Count(get_calls_, box); }
  int checked_reads(Control box) const { return Count(checked_reads_, box); }
  std::optional<Selection> selection(Control box) const;
  bool always_on_top() const { return always_on_top_; }
  const std::optional<Text>& clipboard() const { return clipboard_; }
  bool clipboard_available = true;

 private:
  static int Count(const std::map<Control, int>& counts, Control box) {
    const auto it = counts.find(box);
    return it == counts.end() ? 0 : it->second;
  }
  void RaiseTextChanged(Control box) {
    if (on_text_changed) on_text_changed(box);
  }

  std::map<Control, Text> boxes_;
  std::map<Control, bool> checked_;
  std::map<Control, Selection> selections_;
  std::map<Control, int> set_calls_, append_calls_, replace_calls_, get_calls_, checked_reads_;
  bool always_on_top_ = false;
  std::optional<Text> clipboard_;
};

}  // namespace orlinde
