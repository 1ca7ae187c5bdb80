// Times one input step of the main window, offscreen: a move of the frequency bar by one position, and
// a change of sensor (which also narrows the frequency and level bars), each from the change of the
// control until every read-out and result label is written; then the same steps followed by a repaint
// of the whole window. Prints the median, 90th percentile and mean of 1,000 steps per case.

#include "bench/step_timing.h"
#include "ui/main/main_window.h"

#include <QApplication>
#include <QListWidget>
#include <QScrollBar>

#include <cstdio>
#include <functional>

namespace {

constexpr int kSteps = 1000;
constexpr int kWarmUpSteps = 50;

// Runs step(i) kSteps times after a warm-up, timing each run on its own, in microseconds.
StepSummary Time(const std::function<void(int)>& step) {
    return TimeSteps(kWarmUpSteps, kSteps, 1e3, step);
}

void Print(const char* name, StepSummary summary) {
    std::printf("%-44s median %9.1f us   p90 %9.1f us   mean %9.1f us\n", name, summary.median, summary.p90,
                summary.mean);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Main window;
    window.show();
    QApplication::processEvents();

    auto* frequency = window.findChild<QScrollBar*>(QStringLiteral("vsbFrequenz"));
    auto* sensors = window.findChild<QListWidget*>(QStringLiteral("lstMeßkopf"));
    if (frequency == nullptr || sensors == nullptr) {
        std::fprintf(stderr, "the main window lacks vsbFrequenz or lstMeßkopf\n");
        return 1;
    }
    // One position up or down around 10 GHz; TS-301 and TS-101 in turn (different ranges and data).
    const auto frequencyStep = [frequency](int i) { frequency->setValue(1018 + (i % 2)); };
    const int ts101 = 0;
    const int ts301 = 13;
    const auto sensorStep = [sensors](int i) { sensors->setCurrentRow(i % 2 == 0 ? ts101 : ts301); };

    std::printf("Main window, one input step, %d steps each (offscreen)\n", kSteps);
    Print("frequency one position", Time(frequencyStep));
    Print("sensor change", Time(sensorStep));
    Print("frequency one position + repaint", Time([&](int i) {
              frequencyStep(i);
              window.repaint();
          }));
    Print("sensor change + repaint", Time([&](int i) {
              sensorStep(i);
              window.repaint();
          }));
    return 0;
}
