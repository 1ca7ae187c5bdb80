// Writes PNG screenshots of the main window in three states: as it opens, in percent with the
// systematic-error row (a diode sensor at a high level), and with the conservative mismatch. The controls are
// driven by their object names, as a user would drive them. Beside them, the chart window for a diode
// sensor whose frequency-dependent linearity error steps at its table's band edges.
//
//   tarvex_screenshots [output-directory]      writes the PNGs (default: docs), offscreen or on a display
//   tarvex_screenshots --show SECONDS          shows the opened window for a screen grab, then quits
//   tarvex_screenshots --report FILE           saves the report of the start state in the format of the
//                                              extension (FILE.pdf for docs/report-page.png)
//   tarvex_screenshots --dark DIRECTORY        writes the main window, About, Help and the chart in a dark
//                                              palette
//   tarvex_screenshots --charts DIRECTORY      writes the chart of TS-305 in percent (frequency tab) and of
//                                              TS-101 (level tab), TS-301's distribution

#include "ui/info/about.h"
#include "ui/info/help_window.h"
#include "ui/main/main_window.h"
#include "ui/report/report_actions.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QLineSeries>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>

#include <array>
#include <cstdio>
#include <functional>
#include <tuple>

namespace {

struct Shot {
    const char* file;
    std::function<void(Main&)> prepare;
};

void Trigger(Main& window, const char* actionName) {
    if (auto* action = window.findChild<QAction*>(QString::fromLatin1(actionName))) {
        action->trigger();
    }
}

void Select(Main& window, const char* listName, int row) {
    if (auto* list = window.findChild<QListWidget*>(QString::fromUtf8(listName))) {
        list->setCurrentRow(row);
    }
}

void Move(Main& window, const char* barName, int position) {
    if (auto* bar = window.findChild<QScrollBar*>(QString::fromLatin1(barName))) {
        bar->setValue(position);
    }
}

void Click(Main& window, const char* buttonName) {
    if (auto* button = window.findChild<QRadioButton*>(QString::fromLatin1(buttonName))) {
        button->click();
    }
}

bool WriteShot(const Shot& shot, const QDir& directory) {
    Main window;
    shot.prepare(window);
    window.show();
    QApplication::processEvents();
    const QString path = directory.filePath(QString::fromLatin1(shot.file));
    const bool written = window.grab().save(path, "PNG");
    std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
    return written;
}

// TS-106 at 13 dBm with the linearity error systematic: the systematic-error curve shows its steps.
bool WriteChartShot(const QDir& directory) {
    Main window;
    Select(window, "lstMeßkopf", 5);
    Move(window, "vsbPegel", 13);
    Move(window, "vsbFrequenz", 1018);
    Trigger(window, "mnufd_Lin_sys");
    window.show();
    Trigger(window, "mnuChart");
    auto* chart = window.findChild<QWidget*>(QStringLiteral("frmChart"));
    if (chart == nullptr) {
        std::printf("the chart window did not open\n");
        return false;
    }
    chart->resize(1000, 620);
    QApplication::processEvents();
    const QString path = directory.filePath(QStringLiteral("chart-TS-106.png"));
    const bool written = chart->grab().save(path, "PNG");
    std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
    return written;
}

QWidget* OpenChart(Main& window) {
    window.show();
    Trigger(window, "mnuChart");
    auto* chart = window.findChild<QWidget*>(QStringLiteral("frmChart"));
    if (chart != nullptr) {
        chart->resize(1000, 620);
        QApplication::processEvents();
    }
    return chart;
}

bool SaveShot(QWidget& widget, const QString& path) {
    const bool written = widget.grab().save(path, "PNG");
    std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
    return written;
}

constexpr std::array<const char*, 3> kTabNames{"frequency", "level", "distribution"};

// The frequency tab of TS-305 in percent at 40 GHz, the level tab of TS-101, the distribution of TS-301.
int WriteChartViews(const QDir& directory) {
    bool allWritten = true;
    for (const auto& [sensor, tab, percent] :
         {std::tuple{"TS-305", 0, true}, std::tuple{"TS-101", 1, false}, std::tuple{"TS-301", 2, false}}) {
        Main window;
        auto* list = window.findChild<QListWidget*>(QString::fromUtf8("lstMeßkopf"));
        const QList<QListWidgetItem*> items = list->findItems(QString::fromLatin1(sensor), Qt::MatchExactly);
        if (!items.isEmpty()) {
            list->setCurrentItem(items.first());
        }
        Move(window, "vsbFrequenz", 4018);
        if (percent) {
            Click(window, "opt_unit_percent");
        }
        QWidget* chart = OpenChart(window);
        if (chart == nullptr) {
            return 1;
        }
        chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))->setCurrentIndex(tab);
        QApplication::processEvents();
        allWritten = SaveShot(*chart, directory.filePath(QStringLiteral("chart-%1-%2.png")
                                                             .arg(QString::fromLatin1(sensor))
                                                             .arg(kTabNames[tab]))) &&
                     allWritten;
    }
    return allWritten ? 0 : 1;
}

int ShowForGrab(int seconds) {
    Main window;
    window.move(0, 0);
    window.show();
    QTimer::singleShot(seconds * 1000, qApp, &QCoreApplication::quit);
    return QApplication::exec();
}

// Fusion with a dark palette, as a dark desktop gives it: every text must stay readable.
int WriteDarkShots(const QDir& directory) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x25, 0x25, 0x25));
    dark.setColor(QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::ToolTipBase, QColor(0x25, 0x25, 0x25));
    dark.setColor(QPalette::ToolTipText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Link, QColor(0x7a, 0xb8, 0xf5));
    QApplication::setPalette(dark);
    Main window;
    About about;
    HelpWindow help;
    bool allWritten = true;
    for (QWidget* shown :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about), static_cast<QWidget*>(&help)}) {
        shown->show();
        QApplication::processEvents();
        const QString path = directory.filePath(QStringLiteral("dark-") + shown->objectName() + ".png");
        const bool written = shown->grab().save(path, "PNG");
        std::printf("%s %s\n", written ? "wrote" : "could not write", qPrintable(path));
        allWritten = allWritten && written;
    }
    QWidget* chart = OpenChart(window);
    return allWritten && chart != nullptr &&
                   SaveShot(*chart, directory.filePath(QStringLiteral("dark-frmChart.png")))
               ? 0
               : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("QT_PLUGIN_PATH")) {
        qputenv("QT_PLUGIN_PATH", TARVEX_CHART_PLUGIN_BUILD_DIR);
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() >= 3 && arguments.at(1) == QLatin1String("--show")) {
        return ShowForGrab(arguments.at(2).toInt());
    }
    if (arguments.size() >= 3 && arguments.at(1) == QLatin1String("--report")) {
        Main window;
        auto* report = window.findChild<ReportActions*>();
        const ReportActions::Format format =
            ReportActions::FormatOfName(arguments.at(2)).value_or(ReportActions::Format::pdf);
        return report->saveReportTo(arguments.at(2), format) ? 0 : 1;
    }
    if (arguments.size() >= 3 && arguments.at(1) == QLatin1String("--charts")) {
        return WriteChartViews(QDir(arguments.at(2)));
    }
    if (arguments.size() >= 3 && arguments.at(1) == QLatin1String("--dark")) {
        return WriteDarkShots(QDir(arguments.at(2)));
    }

    const QDir directory(arguments.size() >= 2 ? arguments.at(1) : QStringLiteral("docs"));
    const Shot shots[] = {
        {"main-window.png", [](Main&) {}},
        {"main-window-percent-systematic.png",
         [](Main& window) {
             Select(window, "lstMeßkopf", 0); // TS-101, a diode sensor, at 13 dBm and 18 GHz
             Move(window, "vsbPegel", 13);
             Click(window, "opt_unit_percent");
             Trigger(window, "mnufd_Lin_sys");
         }},
        {"main-window-conservative.png",
         [](Main& window) { Trigger(window, "mnuSensor_Match_Conservative"); }},
    };
    bool allWritten = true;
    for (const Shot& shot : shots) {
        allWritten = WriteShot(shot, directory) && allWritten;
    }
    allWritten = WriteChartShot(directory) && allWritten;
    return allWritten ? 0 : 1;
}
