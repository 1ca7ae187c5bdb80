#pragma once

#include "ui/chart/chart_plugin_interface.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class DistributionView;
class SweepChartView;

// frmChart: the budget across the sensor's frequency range and across its level range, and the
// distribution of the total error, in three tabs, following every evaluation of the main window. Non-modal
// and resizable; it deletes itself when closed and closes when the window that owns it closes.
class ChartWindow : public QWidget, public ChartWindowInterface {
    Q_OBJECT

public:
    ChartWindow(QWidget* owner, ChartPicks picks);

    QWidget* chartWidget() override { return this; }
    void follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) override;

    // Write the chart on the current tab: PNG at the screen's pixel ratio, or SVG by the file's suffix;
    // the data as CSV. On failure the reason is shown and false returned; the old file stays whole.
    bool saveImage(const QString& path);
    bool saveData(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWidgets();
    void createConnections();
    void cmdSaveImage_Click();
    void cmdSaveData_Click();
    SweepChartView* currentChart() const; // none on the Distribution tab
    void placeBeside(const QWidget& owner);
    void showCurrentValue();
    QString suggestedPath(const QString& extension) const;
    bool writeFile(const QString& path, const QByteArray& contents, const QString& what);

    QTabWidget* tabCharts = nullptr;
    SweepChartView* m_frequency = nullptr;
    SweepChartView* m_level = nullptr;
    DistributionView* m_distribution = nullptr;
    QLabel* lblChartPoint = nullptr;
    QCheckBox* chkLogarithmicY = nullptr;
    QPushButton* cmdSaveImage = nullptr;
    QPushButton* cmdSaveData = nullptr;
    ChartPicks m_picks;
    QString m_sensor;
};
