// The chart by keyboard and for assistive technology: the arrow, Page, Home and End keys move the
// marker, and with it the main window's bar; Tab walks the legend and Space shows or hides the series of
// the entry under focus; the accessible description says what the chart shows.

#include "ui/chart/sweep_chart_view.h"

#include "budget/presentation.h"
#include "budget/value_mappings.h"
#include "ui/controls/qt_text.h"

#include <QFont>
#include <QKeyEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>

#include <algorithm>

namespace {

constexpr int kPageStep = 10; // positions a Page key moves the marker

} // namespace

// The index the marker moves to for a key, or -1 for a key that does not move it.
int SweepChartView::markerTarget(int key) const {
    const int last = static_cast<int>(m_table.positions.size()) - 1;
    const auto clamped = [last](int index) { return std::clamp(index, 0, last); };
    switch (key) {
    case Qt::Key_Left:
        return clamped(m_markerIndex - 1);
    case Qt::Key_Right:
        return clamped(m_markerIndex + 1);
    case Qt::Key_PageDown:
        return clamped(m_markerIndex - kPageStep);
    case Qt::Key_PageUp:
        return clamped(m_markerIndex + kPageStep);
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return last;
    default:
        return -1;
    }
}

void SweepChartView::keyPressEvent(QKeyEvent* event) {
    const int target = m_table.positions.empty() ? -1 : markerTarget(event->key());
    if (target >= 0) {
        if (target != m_markerIndex) {
            emit picked(m_table.positions[static_cast<std::size_t>(target)]);
        }
        return;
    }
    if (event->key() == Qt::Key_Space && m_legendFocus >= 0 && m_legendFocus < m_series.size()) {
        QLineSeries* series = m_series[m_legendFocus];
        series->setVisible(!series->isVisible());
        return;
    }
    QChartView::keyPressEvent(event);
}

// Tab walks the legend's entries, one by one, and then leaves the chart as usual; Shift+Tab walks back.
bool SweepChartView::focusNextPrevChild(bool next) {
    const qsizetype moved = m_legendFocus + (next ? 1 : -1);
    if (hasFocus() && moved >= -1 && moved < m_series.size() && !(m_legendFocus == -1 && !next)) {
        m_legendFocus = moved;
        markLegendFocus();
        return true;
    }
    m_legendFocus = -1;
    markLegendFocus();
    return QChartView::focusNextPrevChild(next);
}

void SweepChartView::focusInEvent(QFocusEvent* event) {
    QChartView::focusInEvent(event);
    viewport()->update();
}

void SweepChartView::focusOutEvent(QFocusEvent* event) {
    QChartView::focusOutEvent(event);
    m_legendFocus = -1;
    markLegendFocus();
}

// The legend entry under focus is underlined.
void SweepChartView::markLegendFocus() {
    for (qsizetype i = 0; i < m_series.size(); ++i) {
        for (QLegendMarker* marker : chart()->legend()->markers(m_series[i])) {
            QFont font = marker->font();
            font.setUnderline(i == m_legendFocus);
            marker->setFont(font);
        }
    }
}

// "Expanded uncertainty 0.09 to 0.31 dB over 10 MHz – 18.00 GHz; at the marker 18.00 GHz: 0.15 dB",
// each number as the main window writes it.
void SweepChartView::describe(const QString& markerAt, const QString& markerValue) {
    if (m_table.series.empty() || m_table.x.empty()) {
        setAccessibleDescription({});
        return;
    }
    const tarvex::SweepSeries& expanded = m_table.series.front();
    const auto [lowest, highest] = std::ranges::minmax(expanded.values);
    const auto number = [this, &expanded](double value) {
        return ToQString(tarvex::FormatResult(value, expanded.kind, m_table.unit, m_decimalSeparator))
            .trimmed();
    };
    const QString from = number(lowest).section(QLatin1Char(' '), 0, 0); // the unit once, after the range
    setAccessibleDescription(
        QStringLiteral("Expanded uncertainty %1 to %2 over %3 – %4; at the marker %5: %6")
            .arg(from, number(highest), xText(0), xText(m_table.x.size() - 1), markerAt, markerValue));
}
