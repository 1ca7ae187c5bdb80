#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"
#include "budget/sweep.h"
#include "budget/uncertainty_budget.h"

#include <QChartView>
#include <QHash>
#include <QList>
#include <QPointF>

#include <string>
#include <utility>
#include <vector>

class QGraphicsSimpleTextItem;
class QLineSeries;
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

    // Replaces every series by the sweep of setup; current is the budget of setup itself, at the marker.
    void plot(const tarvex::MeasurementSetup& setup, const std::vector<tarvex::SweepPoint>& sweep,
              const tarvex::UncertaintyBudget& current);

    // The plotted data as CSV: x (GHz, 0 for DC, or dBm), then one column per series, "." decimals.
    QString csv() const;

signals:
    // The position (frequency bar position or dBm) nearest to a click or drag.
    void picked(int position);
    // The x and y of the point nearest to the mouse, as text.
    void pointHovered(const QString& text);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The series in legend order: expanded, combined, systematic, then the contributions as the
    // result table lists them. Series that exist but are hidden count too.
    QLineSeries* newSeries(const std::string& objectName);
    void deleteSeries(QLineSeries*& series);
    QList<QLineSeries*> dataSeries() const;
    bool syncSeries(const tarvex::MeasurementSetup& setup, bool showSystematic);
    void attachAll();
    void nameSeries(const tarvex::MeasurementSetup& setup);
    void visibilityChanged(QLineSeries* series);
    void fill(QLineSeries* series);
    void setData(QLineSeries* series, QList<QPointF> points);
    void rangeAxes();
    void placeMarker();
    double plottedX(double x) const;
    int nearestIndex(QPointF chartPosition) const;
    QString pointText(int index, const QLineSeries& series) const;
    void pickAt(QPoint viewPosition);
    void hoverAt(QPoint viewPosition);

    tarvex::SweepAxis m_axis;
    QAbstractAxis* m_xAxis = nullptr;
    QValueAxis* m_yAxis = nullptr;
    QLineSeries* m_expanded = nullptr;
    QLineSeries* m_combined = nullptr;
    QLineSeries* m_systematic = nullptr;
    tarvex::PerContribution<QLineSeries*> m_contributions{};
    QLineSeries* m_marker = nullptr;
    QGraphicsSimpleTextItem* m_markerLabel = nullptr;
    QGraphicsSimpleTextItem* m_dcLabel = nullptr;

    QHash<const QLineSeries*, QList<QPointF>> m_data; // every series' points, shown or not
    std::pair<double, double> m_xRange{};
    std::pair<double, double> m_yRange{};

    std::vector<int> m_positions; // per point: bar position or dBm
    std::vector<double> m_x;      // per point: GHz or dBm as evaluated (0 for DC)
    std::vector<double> m_plotX;  // per point: where it is drawn (DC at half the lowest frequency)
    double m_markerX = 0.0;       // plotted
    tarvex::ResultUnit m_unit = tarvex::ResultUnit::dB;
    std::string m_decimalSeparator = ".";
};
