#pragma once

#include <QBrush>
#include <QList>
#include <QString>

#include <functional>
#include <vector>

class QChart;
class QGraphicsSimpleTextItem;

// The frequencies a logarithmic frequency axis names: every decade from 100 kHz up inside the sweep, and
// the band's ends (its lowest non-zero and its highest frequency), in GHz, ascending, each once.
std::vector<double> FrequencyTickValues(double lowestGHz, double highestGHz);

// The frequency axis' labels, written as the main window's read-outs write frequencies ("100 kHz",
// "10 MHz", "26.50 GHz"), under the plot area; a decade's label that would touch a band end's is left out.
class FrequencyTicks {
public:
    explicit FrequencyTicks(QChart* chart);

    void setTicks(const std::vector<double>& valuesGHz, const std::function<QString(double)>& text);
    void setTextBrush(const QBrush& brush);
    // Stands each label under its frequency; position maps GHz to the chart's x.
    void place(const std::function<double(double)>& position, double top);

private:
    QChart* m_chart;
    std::vector<double> m_values;
    QList<QGraphicsSimpleTextItem*> m_labels;
    QBrush m_brush;
};
