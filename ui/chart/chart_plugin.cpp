// The plugin that carries the chart window and Qt Charts, loaded by the main window on first use.

#include "ui/chart/chart_plugin_interface.h"
#include "ui/chart/chart_window.h"

#include <QObject>

class ChartPlugin : public QObject, public ChartPluginInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID TarvexChartPlugin_iid)
    Q_INTERFACES(ChartPluginInterface)

public:
    ChartWindowInterface* createChart(QWidget* parent, ChartPicks picks) override {
        return new ChartWindow(parent, std::move(picks));
    }
};

#include "chart_plugin.moc"
