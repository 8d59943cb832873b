// orlinde-keystroke-bench: the cost of one typed character at the end of a long input, measured
// through the real window under whatever platform Qt is given (offscreen in CI), next to the
// floor: the time Qt itself needs to put the same final text into the results box. Also the
// paste of a large input and the paste of one very long line in either mode.
//
// Output, one line per measurement:
//   lines=N keystroke_ms=MEDIAN floor_ms=MEDIAN
//   paste_lines=N paste_ms=MEDIAN
//   long_line_chars=N mode=basic|scientific paste_ms=MEDIAN
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/qt/box_text.h"
#include "app/qt/controls.h"
#include "app/qt/main_window.h"
#include "lines.h"

namespace {

using orlinde::MainWindow;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double ElapsedMs(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Runs `action`, then lets Qt finish what it deferred (layout, painting), and returns the time.
template <typename Action>
double Timed(Action action) {
  QElapsedTimer timer;
  timer.start();
  action();
  QApplication::processEvents();
  return ElapsedMs(timer);
}

void Keystrokes(int lines, int samples) {
  MainWindow window;
  window.show();
  QApplication::processEvents();
  auto* input = window.InputBox();
  auto* results = window.ResultsBox();
  input->setPlainText(orlinde::TextToBoxString(orlinde::bench::MixedLines(lines)));
  QApplication::processEvents();
  input->setFocus();
  input->moveCursor(QTextCursor::End);

  std::vector<double> keystroke;
  std::vector<double> floor;
  for (int i = 0; i < samples; ++i) {
    const int runs = window.calculate_all_runs();
    keystroke.push_back(Timed([&] { QTest::keyClick(input, Qt::Key_1); }));
    if (window.calculate_all_runs() != runs + 1) {
      std::fprintf(stderr, "a keystroke did not recalculate once\n");
      std::exit(1);
    }
    // The floor: Qt replacing the results box's text with the same final text.
    const QString final_text = results->toPlainText();
    floor.push_back(Timed([&] { results->setPlainText(final_text); }));
  }
  std::printf("lines=%d keystroke_ms=%.3f floor_ms=%.3f\n", lines, Median(keystroke),
              Median(floor));
  std::fflush(stdout);
}

double Paste(MainWindow& window, const QString& text) {
  auto* input = window.InputBox();
  input->clear();
  QApplication::processEvents();
  QGuiApplication::clipboard()->setText(text);
  input->setFocus();
  return Timed([&] { QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier); });
}

void LargePaste(int lines, int samples) {
  MainWindow window;
  window.show();
  const QString text = orlinde::TextToBoxString(orlinde::bench::MixedLines(lines));
  std::vector<double> times;
  for (int i = 0; i < samples; ++i) times.push_back(Paste(window, text));
  const int results = window.ResultsBox()->document()->blockCount() - 1;
  if (results != lines) {
    std::fprintf(stderr, "pasting %d lines gave %d results\n", lines, results);
    std::exit(1);
  }
  std::printf("paste_lines=%d paste_ms=%.3f\n", lines, Median(times));
  std::fflush(stdout);
}

void LongLine(int chars, bool scientific, int samples) {
  MainWindow window;
  window.show();
  static_cast<QCheckBox*>(window.ControlWidget(orlinde::Control::选择框2))->setChecked(scientific);
  std::string line;
  while (static_cast<int>(line.size()) < chars)
    line += scientific ? "12.5%+(3.5)^2*" : "1.2.3(4+.5)--";
  line.resize(static_cast<std::size_t>(chars));
  const QString text = QString::fromStdString(line);
  std::vector<double> times;
  for (int i = 0; i < samples; ++i) times.push_back(Paste(window, text));
  std::printf("long_line_chars=%d mode=%s paste_ms=%.3f\n", chars,
              scientific ? "scientific" : "basic", Median(times));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const bool quick = argc > 1 && std::string(argv[1]) == "--quick";
  Keystrokes(1'000, 21);
  Keystrokes(10'000, 21);
  Keystrokes(100'000, quick ? 5 : 21);
  LargePaste(100'000, quick ? 1 : 5);
  LongLine(1'000'000, false, quick ? 1 : 3);
  LongLine(1'000'000, true, quick ? 1 : 3);
  return 0;
}
