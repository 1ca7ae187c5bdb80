// View > Uncertainty Chart: the chart window comes from a plugin loaded on first use, so that the
// program starts without loading Qt Charts.

#include "ui/chart/chart_plugin_interface.h"
#include "ui/main/main_window.h"

#include "budget/uncertainty_budget.h"
#include "ui/controls/position_scroll_bar.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPointer>

namespace {

// The plugin lies in the program's library directory, found from the program's own directory both in
// the build tree and when installed; QT_PLUGIN_PATH and Qt's library paths are searched after it.
ChartPluginInterface* LoadChartPlugin(QString* error) {
    // Loaded once and never unloaded, as its windows may be open until the program ends.
    static QPointer<QPluginLoader> loader;
    if (loader.isNull()) {
        const QString beside = QCoreApplication::applicationDirPath() +
                               QStringLiteral("/" TARVEX_CHART_PLUGIN_DIR "/") +
                               QStringLiteral(TARVEX_CHART_PLUGIN_FILE);
        loader =
            new QPluginLoader(QFileInfo::exists(beside) ? beside : QStringLiteral(TARVEX_CHART_PLUGIN_NAME),
                              QCoreApplication::instance());
    }
    auto* plugin = qobject_cast<ChartPluginInterface*>(loader->instance());
    if (plugin == nullptr) {
        *error = loader->errorString();
    }
    return plugin;
}

} // namespace

void Main::SetFrequencyPosition(int position) {
    vsbFrequenz->setValue(position);
}

void Main::SetLevel(int levelDbm) {
    vsbPegel->setValue(levelDbm);
}

// The chart is non-modal; asking for it while it is open brings it forward. It follows every evaluation
// from the moment it opens and is deleted when closed; the next request creates it afresh.
void Main::mnuChart_Click() {
    if (m_chartWindow.isNull()) {
        QString error;
        ChartPluginInterface* plugin = LoadChartPlugin(&error);
        if (plugin == nullptr) {
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("The chart could not be loaded:\n") + error);
            return;
        }
        m_chart = plugin->createChart(this, {[this](int position) { SetFrequencyPosition(position); },
                                             [this](int levelDbm) { SetLevel(levelDbm); }});
        m_chartWindow = m_chart->chartWidget();
        ChartWindowInterface* chart = m_chart;
        connect(this, &Main::evaluated, m_chartWindow,
                [chart](const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) {
                    chart->follow(setup, budget);
                });
        const tarvex::MeasurementSetup setup = ReadSetup();
        m_chart->follow(setup, tarvex::EvaluateBudget(setup));
    }
    m_chartWindow->show();
    m_chartWindow->raise();
    m_chartWindow->activateWindow();
}
