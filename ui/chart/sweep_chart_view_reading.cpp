// What a user reads from and picks in a chart: the nearest point under the mouse, a click or drag
// that moves the main window's bar, and the plotted numbers as CSV.

#include "ui/chart/sweep_chart_view.h"

#include "budget/batch_columns.h"
#include "budget/value_mappings.h"
#include "ui/controls/qt_text.h"

#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using tarvex::ResultUnit;
using tarvex::SweepAxis;

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

// The point whose x lies nearest on screen: in decades on the frequency axis, in dB on the level axis.
int SweepChartView::nearestIndex(QPointF chartPosition) const {
    if (m_plotX.empty()) {
        return -1;
    }
    const double value = chart()->mapToValue(chartPosition, m_expanded).x();
    const auto distance = [this, value](double x) {
        if (m_axis == SweepAxis::frequency) {
            return value > 0.0 ? std::abs(std::log10(x) - std::log10(value)) : -std::log10(x);
        }
        return std::abs(x - value);
    };
    const auto after = std::lower_bound(m_plotX.begin(), m_plotX.end(), value);
    auto index = after - m_plotX.begin();
    if (after == m_plotX.end() ||
        (index > 0 && distance(m_plotX[static_cast<std::size_t>(index - 1)]) <= distance(*after))) {
        --index;
    }
    return static_cast<int>(index);
}

QString SweepChartView::pointText(int index, const QLineSeries& series) const {
    const auto i = static_cast<std::size_t>(index);
    QString x;
    if (m_axis == SweepAxis::level) {
        x = ToQString(tarvex::LevelReadout(m_positions[i], m_decimalSeparator));
    } else if (m_x[i] <= 0.0) {
        x = QStringLiteral("DC");
    } else {
        x = ToQString(tarvex::FrequencyReadoutGHz(m_x[i], m_decimalSeparator));
    }
    const QString unit = m_unit == ResultUnit::dB ? QStringLiteral(" dB") : QStringLiteral(" %");
    return series.name() + QStringLiteral(": ") + x + QStringLiteral(", ") +
           locale().toString(m_data.value(&series).at(index).y(), 'f', 4) + unit;
}

void SweepChartView::pickAt(QPoint viewPosition) {
    const int index = nearestIndex(chart()->mapFromScene(mapToScene(viewPosition)));
    if (index >= 0) {
        emit picked(m_positions[static_cast<std::size_t>(index)]);
    }
}

// Among the visible series, the one whose point at the nearest x lies nearest to the mouse vertically.
void SweepChartView::hoverAt(QPoint viewPosition) {
    const QPointF position = chart()->mapFromScene(mapToScene(viewPosition));
    const int index = nearestIndex(position);
    if (index < 0 || !chart()->plotArea().contains(position)) {
        return;
    }
    const QLineSeries* nearest = nullptr;
    qreal best = std::numeric_limits<qreal>::max();
    for (const QLineSeries* series : dataSeries()) {
        if (!series->isVisible()) {
            continue;
        }
        const qreal y = chart()->mapToPosition(m_data.value(series).at(index), m_expanded).y();
        if (std::abs(y - position.y()) < best) {
            best = std::abs(y - position.y());
            nearest = series;
        }
    }
    if (nearest != nullptr) {
        emit pointHovered(pointText(index, *nearest));
    }
}

void SweepChartView::mousePressEvent(QMouseEvent* event) {
    QChartView::mousePressEvent(event); // legend entries take their clicks here
    const QPointF position = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && chart()->plotArea().contains(position)) {
        pickAt(event->position().toPoint());
    }
}

void SweepChartView::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton) != 0) {
        pickAt(event->position().toPoint());
    }
    hoverAt(event->position().toPoint());
}

QString SweepChartView::csv() const {
    const QList<QLineSeries*> series = dataSeries();
    QString text =
        m_axis == SweepAxis::frequency ? QStringLiteral("Frequency (GHz)") : QStringLiteral("Level (dBm)");
    for (const QLineSeries* column : series) {
        text += QLatin1Char(',') + CsvField(column->name());
    }
    text += QLatin1Char('\n');
    for (std::size_t i = 0; i < m_x.size(); ++i) {
        text += ToQString(tarvex::ShortestDecimal(m_x[i]));
        for (const QLineSeries* column : series) {
            text +=
                QLatin1Char(',') +
                ToQString(tarvex::ShortestDecimal(m_data.value(column).at(static_cast<qsizetype>(i)).y()));
        }
        text += QLatin1Char('\n');
    }
    return text;
}
