// MainWindow: the calculator's one window, its controls, their bindings to the calculation
// driver and the window commands, and the window services those use. A test or a benchmark
// creates it like the program does (after a QApplication exists), reaches each control through
// ControlWidget or the typed accessors, and watches CalculateAll through calculate_all_runs or
// the on_calculated_all hook.
#pragma once

#include <QSize>
#include <QWidget>
#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <optional>

#include "app/driver.h"
#include "app/window_services.h"

class QCheckBox;
class QPushButton;

namespace orlinde {

class TextBox;
class DecimalsBox;
class HyperlinkLabel;
class ScriptComponent;

// Not a Q_OBJECT: the moc cannot read the control names of the window-services header, and the
// window needs no signals or slots of its own.
class MainWindow : public QWidget, public WindowServices {
 public:
  // The client area; the window manager adds the frame around it.
  static constexpr QSize kClientSize{422, 338};
  // The size with the frame that the window is centred by.
  static constexpr QSize kOuterSize{428, 367};

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  Text GetBoxText(Control box) override;
  void SetBoxText(Control box, const Text& text) override;
  void AppendBoxText(Control box, Text text) override;
  void ReplaceBoxText(Control box, Text text) override;
  bool IsChecked(Control box) override;
  void SetBoxSelection(Control box, int start, int length) override;
  void SetAlwaysOnTop(bool on_top) override;
  bool SetClipboardText(const Text& text) override;

  // The widget of a control; its objectName is ControlName(control).
  QWidget* ControlWidget(Control control) const { return widgets_[Index(control)]; }
  TextBox* InputBox() const { return input_; }
  TextBox* ResultsBox() const { return results_; }
  DecimalsBox* DecimalsBoxWidget() const { return decimals_; }

  // Every binding that recalculates comes through here.
  void CalculateAll();
  int calculate_all_runs() const { return calculate_all_runs_; }

  // Called after every run of CalculateAll; empty by default.
  std::function<void()> on_calculated_all;

  bool always_on_top() const;

 protected:
  // A left press on the background, a label or a picture moves the window like its title bar.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  static constexpr std::size_t kControlCount = 14;
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }

  void CreateControls();
  void BindEvents();
  void Register(Control control, QWidget* widget, const QString& accessible_name,
                const QString& description = {});
  void CentreOnScreen();
  void OnWidgetTextChanged(Control box);
  void RaiseTextChanged(Control box);
  void NormaliseDecimalsBox();

  std::array<QWidget*, kControlCount> widgets_{};
  TextBox* input_ = nullptr;
  TextBox* results_ = nullptr;
  DecimalsBox* decimals_ = nullptr;
  HyperlinkLabel* about_ = nullptr;
  ScriptComponent* script_ = nullptr;
  std::unique_ptr<CalculationDriver> driver_;

  // Boxes whose own change notifications are held back while the program replaces their text.
  std::bitset<kControlCount> silenced_;
  int calculate_all_runs_ = 0;

  // The move that follows the mouse where the window manager offers none.
  struct Drag {
    QPoint press_global;
    QPoint window_start;
  };
  std::optional<Drag> drag_;
};

}  // namespace orlinde
