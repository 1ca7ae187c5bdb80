#pragma once

#include "budget/measurement_setup.h"
#include "budget/sweep.h"
#include "budget/sweep_series.h"
#include "budget/uncertainty_budget.h"
#include "ui/chart/axis_range.h"

#include <QChartView>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

class ChartMarker;
class FrequencyTicks;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

// One chart of the budget over one input, in the unit the main window shows: the expanded uncertainty
// (bold), the combined standard uncertainty, the systematic error while the window shows it, and one
// series per ticked contribution, hidden until its legend entry is clicked. A dashed marker stands at
// the window's current position with the expanded uncertainty there as its label. Hovering names the
// nearest point; a click or drag picks the nearest position of the sweep.
class SweepChartView : public QChartView {
    Q_OBJECT

public:
    explicit SweepChartView(tarvex::SweepAxis axis, QWidget* parent = nullptr);
    ~SweepChartView() override;
    SweepChartView(const SweepChartView&) = delete;
    SweepChartView& operator=(const SweepChartView&) = delete;

    // Replaces every series by the sweep of setup; current is the budget of setup itself, at the marker.
    void plot(const tarvex::MeasurementSetup& setup, const std::vector<tarvex::SweepPoint>& sweep,
              const tarvex::UncertaintyBudget& current);

    // The y axis logarithmic (the whole range) or linear (the default).
    void setLogarithmicY(bool logarithmic);
    bool logarithmicY() const { return m_logarithmicY; }

    // What is plotted, every point of every series, shown or not.
    const tarvex::SweepSeriesTable& table() const { return m_table; }
    // The main window's current value as the status line reads it: the expanded uncertainty at the
    // marker's position.
    QString currentText() const { return m_currentText; }
    // The plotted data as CSV (see tarvex::SweepCsv).
    QString csv() const;

signals:
    // The position (frequency bar position or dBm) nearest to a click or drag.
    void picked(int position);
    // The series and point nearest to the mouse as text; empty when the mouse leaves the plot.
    void pointHovered(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void createAxes();
    int markerTarget(int key) const;
    void markLegendFocus();
    void describe(const QString& markerAt, const QString& markerValue);
    void followPalette();
    QLineSeries* newSeries(const tarvex::SweepSeries& sweepSeries);
    bool syncSeries();
    void attachAll();
    void visibilityChanged(QLineSeries* series);
    void fill(QLineSeries* series);
    void fillAll();
    std::vector<double> valuesInUnit(std::size_t column) const;
    void rangeAxes();
    void rangeY();
    void placeMarker();
    void labelFrequencies();
    void labelMarker(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& current);
    QString xText(std::size_t index) const;
    int nearestIndex(QPointF chartPosition) const;
    QString pointText(std::size_t index, std::size_t column) const;
    void pickAt(QPoint viewPosition);
    void hoverAt(QPoint viewPosition);
    void showHover(const QString& text, QPointF at);

    tarvex::SweepAxis m_axis;
    QAbstractAxis* m_xAxis = nullptr;
    QAbstractAxis* m_yAxis = nullptr; // the one shown: m_linearY or m_logY
    QValueAxis* m_linearY = nullptr;
    QLogValueAxis* m_logY = nullptr;
    tarvex::SweepSeriesTable m_table;
    QList<QLineSeries*> m_series; // one per column of m_table, in its order
    std::unique_ptr<ChartMarker> m_marker;
    std::unique_ptr<FrequencyTicks> m_ticks;
    QGraphicsSimpleTextItem* m_hover = nullptr;

    std::vector<double> m_plotX; // per point: where it is drawn
    std::pair<double, double> m_xRange{};
    AxisRange m_yRange{0.0, 0.0, 0};
    double m_markerX = 0.0;       // plotted
    int m_markerIndex = 0;        // the point at the marker
    qsizetype m_legendFocus = -1; // the legend entry under keyboard focus, -1 for none
    QString m_currentText;
    bool m_logarithmicY = false;
    bool m_darkPlot = false;
    std::string m_decimalSeparator = ".";
};
