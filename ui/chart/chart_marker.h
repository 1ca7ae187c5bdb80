#pragma once

#include <QBrush>
#include <QString>

class QChart;
class QGraphicsSimpleTextItem;
class QLineSeries;

// The dashed vertical line at the main window's position with its value as a label beside it, and the
// name of the 0 kHz point where a logarithmic axis draws it.
class ChartMarker {
public:
    explicit ChartMarker(QChart* chart);

    // The line, as a series without legend entry; the chart attaches it after the data.
    QLineSeries* line() const { return m_line; }

    void setLabel(const QString& text);
    void setZeroLabel(const QString& text, bool shown);
    // After a theme change: the labels' colour, and the line's grey dashes again.
    void setTextBrush(const QBrush& brush);
    // Stands the marker at x over the y axis' range; zeroX is where the 0 kHz label goes.
    void place(double x, double bottom, double top, double zeroX);

private:
    QChart* m_chart;
    QLineSeries* m_line;
    QGraphicsSimpleTextItem* m_label;
    QGraphicsSimpleTextItem* m_zeroLabel;
};
