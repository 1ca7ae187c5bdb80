// What a user reads from and picks in a chart: the nearest point under the mouse and a click or drag
// that moves the main window's bar.

#include "ui/chart/sweep_chart_view.h"

#include "budget/presentation.h"
#include "budget/value_mappings.h"
#include "ui/controls/qt_text.h"

#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qreal kHoverOffset = 12.0; // pixels from the mouse to the hover text

} // namespace

// The point whose x lies nearest on screen: in decades on the frequency axis, in dB on the level axis.
int SweepChartView::nearestIndex(QPointF chartPosition) const {
    if (m_plotX.empty() || m_series.isEmpty()) {
        return -1;
    }
    const double value = chart()->mapToValue(chartPosition, m_series.first()).x();
    const auto distance = [this, value](double x) {
        if (m_axis == tarvex::SweepAxis::frequency) {
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

QString SweepChartView::xText(std::size_t index) const {
    if (m_axis == tarvex::SweepAxis::level) {
        return ToQString(tarvex::LevelReadout(m_table.positions[index], m_decimalSeparator));
    }
    return ToQString(tarvex::FrequencyReadoutGHz(m_table.x[index], m_decimalSeparator));
}

// "caption: x, value" with the value as the main window's label of that row writes it.
QString SweepChartView::pointText(std::size_t index, std::size_t column) const {
    const tarvex::SweepSeries& series = m_table.series[column];
    const std::string value =
        tarvex::FormatResult(series.values[index], series.kind, m_table.unit, m_decimalSeparator);
    return ToQString(series.caption) + QStringLiteral(": ") + xText(index) + QStringLiteral(", ") +
           ToQString(value).trimmed();
}

void SweepChartView::pickAt(QPoint viewPosition) {
    const int index = nearestIndex(chart()->mapFromScene(mapToScene(viewPosition)));
    if (index >= 0) {
        emit picked(m_table.positions[static_cast<std::size_t>(index)]);
    }
}

// Among the visible series, the one whose point at the nearest x lies nearest to the mouse vertically.
void SweepChartView::hoverAt(QPoint viewPosition) {
    const QPointF position = chart()->mapFromScene(mapToScene(viewPosition));
    const int index = nearestIndex(position);
    if (index < 0 || !chart()->plotArea().contains(position)) {
        showHover({}, {});
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    std::size_t nearest = m_table.series.size();
    qreal best = std::numeric_limits<qreal>::max();
    for (std::size_t column = 0; column < m_table.series.size(); ++column) {
        if (!m_series[static_cast<qsizetype>(column)]->isVisible()) {
            continue;
        }
        const double y = tarvex::ValueInUnit(m_table.series[column].values[i], m_table.unit);
        const qreal distance =
            std::abs(chart()->mapToPosition(QPointF(m_plotX[i], y), m_series.first()).y() - position.y());
        if (distance < best) {
            best = distance;
            nearest = column;
        }
    }
    showHover(nearest < m_table.series.size() ? pointText(i, nearest) : QString(), position);
}

// The hover text stands beside the mouse inside the plot, and goes when the mouse leaves it.
void SweepChartView::showHover(const QString& text, QPointF at) {
    if (text.isEmpty() && !m_hover->isVisible()) {
        return;
    }
    m_hover->setText(text);
    m_hover->setVisible(!text.isEmpty());
    if (!text.isEmpty()) {
        const QRectF area = chart()->plotArea();
        const QRectF box = m_hover->boundingRect();
        const qreal x = at.x() + kHoverOffset + box.width() <= area.right()
                            ? at.x() + kHoverOffset
                            : at.x() - kHoverOffset - box.width();
        const qreal y = std::max(area.top(), at.y() - kHoverOffset - box.height());
        m_hover->setPos(x, y);
    }
    emit pointHovered(text);
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

void SweepChartView::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    showHover({}, {});
}
