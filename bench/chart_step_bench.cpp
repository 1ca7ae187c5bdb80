// Times the chart window, offscreen: opening it (plugin loaded, both sweeps, first paint), and one
// step of the frequency bar with the chart open, from the bar's change through the main window's labels,
// both sweeps and every series replaced, to the repaint of both windows. Prints the median, 90th
// percentile and mean over many steps.

#include "bench/step_timing.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTabWidget>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kSteps = 300;
constexpr int kWarmUpSteps = 20;
constexpr int kOpenings = 15;

void Print(const char* name, StepSummary summary) {
    std::printf("%-52s median %8.2f ms   p90 %8.2f ms   mean %8.2f ms\n", name, summary.median, summary.p90,
                summary.mean);
}

double Elapsed(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

QWidget* ChartOf(const Main& window) {
    return window.findChild<QWidget*>(QStringLiteral("frmChart"));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_PLUGIN_PATH")) {
        qputenv("QT_PLUGIN_PATH", TARVEX_CHART_PLUGIN_BUILD_DIR);
    }
    QApplication app(argc, argv);
    Main window;
    window.show();
    QApplication::processEvents();
    auto* chartAction = window.findChild<QAction*>(QStringLiteral("mnuChart"));
    auto* frequency = window.findChild<QScrollBar*>(QStringLiteral("vsbFrequenz"));
    if (chartAction == nullptr || frequency == nullptr) {
        std::fprintf(stderr, "the main window lacks mnuChart or vsbFrequenz\n");
        return 1;
    }

    // Opening: the first includes loading the plugin; later ones create the window afresh.
    std::vector<double> openings;
    const auto open = [&] {
        chartAction->trigger();
        ChartOf(window)->repaint();
    };
    const double first = Elapsed(open);
    for (int i = 0; i < kOpenings; ++i) {
        ChartOf(window)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        openings.push_back(Elapsed(open));
    }
    QWidget* chart = ChartOf(window);
    chart->resize(960, 600);
    QApplication::processEvents();

    std::printf("Chart window, offscreen (%d steps per case)\n", kSteps);
    std::printf("%-52s %8.2f ms\n", "first opening (plugin loaded)", first);
    Print("opening again", Summarize(openings));
    const auto time = [&](const char* name, const std::function<void(int)>& step) {
        Print(name, TimeSteps(kWarmUpSteps, kSteps, 1e6, step));
    };
    // One position up or down around 10 GHz on TS-301 (1,819 frequency positions).
    time("frequency one position, no repaint", [&](int i) { frequency->setValue(1018 + (i % 2)); });
    time("frequency one position + repaint of both windows", [&](int i) {
        frequency->setValue(1018 + (i % 2));
        window.repaint();
        chart->repaint();
    });
    // A level step changes every point of the frequency chart.
    auto* level = window.findChild<QScrollBar*>(QStringLiteral("vsbPegel"));
    time("level one dBm + repaint of both windows", [&](int i) {
        level->setValue(i % 2);
        window.repaint();
        chart->repaint();
    });
    // The Distribution tab open: its exact density is computed and drawn on every step.
    if (auto* tabs = chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))) {
        tabs->setCurrentIndex(2);
        QApplication::processEvents();
        time("frequency one position, Distribution tab + repaint", [&](int i) {
            frequency->setValue(1018 + (i % 2));
            window.repaint();
            chart->repaint();
        });
    }
    return 0;
}
