#include "ui/chart/sweep_chart_view.h"

#include "budget/presentation.h"
#include "budget/value_mappings.h"
#include "ui/chart/chart_marker.h"
#include "ui/chart/frequency_ticks.h"
#include "ui/chart/plot_points.h"
#include "ui/chart/series_style.h"
#include "ui/controls/qt_text.h"

#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>

namespace {

using tarvex::ResultKind;
using tarvex::SweepAxis;

constexpr double kDimmedLegend = 0.4;       // opacity of a hidden series' legend text
constexpr std::size_t kLevelFitOffset = 10; // dB above the sensor's lowest level (one point a dB)

// The object name by which scripts and tests find a series.
QString ObjectNameOf(const tarvex::SweepSeries& series) {
    switch (series.kind) {
    case ResultKind::expanded:
        return QStringLiteral("seriesExpanded");
    case ResultKind::combined:
        return QStringLiteral("seriesCombined");
    case ResultKind::systematic:
        return QStringLiteral("seriesSystematic");
    case ResultKind::contribution:
        break;
    }
    return QStringLiteral("series_") +
           ToQString(tarvex::kContributions[tarvex::Index(series.contribution)].keyName);
}

} // namespace

SweepChartView::SweepChartView(SweepAxis axis, QWidget* parent)
    : QChartView(parent)
    , m_axis(axis)
    , m_marker(std::make_unique<ChartMarker>(chart()))
    , m_ticks(std::make_unique<FrequencyTicks>(chart())) {
    setObjectName(axis == SweepAxis::frequency ? QStringLiteral("chartFrequency")
                                               : QStringLiteral("chartLevel"));
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // A visible frame while the chart has the keyboard's focus.
    setStyleSheet(QStringLiteral("SweepChartView { border: 2px solid transparent; }"
                                 "SweepChartView:focus { border: 2px solid palette(highlight); }"));
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->setMargins(QMargins(4, 4, 4, 4));
    chart()->setLocalizeNumbers(true); // tick labels with the locale's decimal separator
    createAxes();
    m_hover = new QGraphicsSimpleTextItem(chart());
    m_hover->setZValue(11.0);
    m_hover->hide();
    connect(chart(), &QChart::plotAreaChanged, this, &SweepChartView::placeMarker);
    attachAll();
    followPalette();
}

// Qt Charts' own dark theme under a dark palette (dark plot, light text), its light theme otherwise. A
// theme sets every series' colour and every text's, so the pens and the chart's own labels follow it.
void SweepChartView::followPalette() {
    const bool dark = IsDarkPalette(palette());
    chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    m_darkPlot = dark;
    for (qsizetype i = 0; i < m_series.size(); ++i) {
        m_series[i]->setPen(SeriesPen(m_table.series[static_cast<std::size_t>(i)].key, dark));
        visibilityChanged(m_series[i]);
    }
    const QBrush text = m_yAxis->labelsBrush();
    m_marker->setTextBrush(text);
    m_ticks->setTextBrush(text);
    m_hover->setBrush(text);
}

void SweepChartView::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        followPalette();
    }
}

// The chart deletes the y axis it shows; the other one is the view's.
SweepChartView::~SweepChartView() {
    delete (m_yAxis == m_linearY ? static_cast<QAbstractAxis*>(m_logY) : m_linearY);
}

void SweepChartView::createAxes() {
    if (m_axis == SweepAxis::frequency) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setBase(10.0);
        logAxis->setLabelFormat(
            QStringLiteral(" ")); // room for the read-out labels that FrequencyTicks draws
        logAxis->setMinorTickCount(8);
        logAxis->setTitleText(QStringLiteral("Frequency"));
        m_xAxis = logAxis;
    } else {
        auto* levelAxis = new QValueAxis;
        levelAxis->setTickType(QValueAxis::TicksDynamic);
        levelAxis->setTickAnchor(0.0);
        levelAxis->setTickInterval(10.0);
        levelAxis->setMinorTickCount(1);
        levelAxis->setLabelFormat(QStringLiteral("%.0f"));
        levelAxis->setTitleText(QStringLiteral("Level (dBm)"));
        m_xAxis = levelAxis;
    }
    m_linearY = new QValueAxis;
    m_linearY->setLabelFormat(QStringLiteral("%.3g"));
    m_logY = new QLogValueAxis;
    m_logY->setBase(10.0);
    m_logY->setLabelFormat(QStringLiteral("%g"));
    m_logY->setMinorTickCount(8);
    m_yAxis = m_linearY;
    chart()->addAxis(m_xAxis, Qt::AlignBottom);
    chart()->addAxis(m_yAxis, Qt::AlignLeft);
}

// A contribution's series starts hidden, shown from its legend entry; the rows below them start shown.
QLineSeries* SweepChartView::newSeries(const tarvex::SweepSeries& sweepSeries) {
    auto* series = new QLineSeries;
    series->setObjectName(ObjectNameOf(sweepSeries));
    series->setPen(SeriesPen(sweepSeries.key, m_darkPlot));
    series->setVisible(sweepSeries.kind != ResultKind::contribution);
    connect(series, &QLineSeries::visibleChanged, this, [this, series] { visibilityChanged(series); });
    return series;
}

// Keeps the series that the new table still has (with their shown or hidden state), creates the new
// ones and deletes those that are gone. True when the set changed.
bool SweepChartView::syncSeries() {
    QList<QLineSeries*> kept;
    for (const tarvex::SweepSeries& sweepSeries : m_table.series) {
        const QString name = ObjectNameOf(sweepSeries);
        const auto found = std::ranges::find(m_series, name, &QObject::objectName);
        kept.append(found != m_series.end() ? *found : newSeries(sweepSeries));
        kept.last()->setName(ToQString(sweepSeries.caption));
    }
    if (kept == m_series) {
        return false;
    }
    for (QLineSeries* gone : m_series) {
        if (!kept.contains(gone)) {
            chart()->removeSeries(gone);
            delete gone;
        }
    }
    m_series = kept;
    return true;
}

// Adds the marker first, so that the curves are drawn over it, and without legend entry; then the
// series in legend order. A click on a legend entry shows or hides its series; the entry stays, dimmed
// while its series is hidden.
void SweepChartView::attachAll() {
    for (QAbstractSeries* series : chart()->series()) {
        chart()->removeSeries(series);
    }
    QList<QLineSeries*> all{m_marker->line()};
    all.append(m_series);
    for (QLineSeries* series : all) {
        const bool visible = series->isVisible();
        chart()->addSeries(series);
        series->attachAxis(m_xAxis);
        series->attachAxis(m_yAxis);
        series->setVisible(visible);
        for (QLegendMarker* marker : chart()->legend()->markers(series)) {
            marker->setVisible(series != m_marker->line());
            connect(marker, &QLegendMarker::clicked, series,
                    [series] { series->setVisible(!series->isVisible()); });
        }
    }
    for (QLineSeries* series : m_series) {
        visibilityChanged(series);
    }
}

// A hidden series holds no points, so that Qt Charts spends nothing on it while it is hidden; shown, it
// gets its points back.
void SweepChartView::visibilityChanged(QLineSeries* series) {
    const bool visible = series->isVisible();
    for (QLegendMarker* marker : chart()->legend()->markers(series)) {
        marker->setVisible(true);
        QColor text = marker->labelBrush().color();
        text.setAlphaF(visible ? 1.0F : static_cast<float>(kDimmedLegend));
        marker->setLabelBrush(text);
    }
    fill(series);
    if (!m_plotX.empty()) {
        rangeAxes();
    }
}

std::vector<double> SweepChartView::valuesInUnit(std::size_t column) const {
    std::vector<double> values = m_table.series[column].values;
    for (double& value : values) {
        value = tarvex::ValueInUnit(value, m_table.unit);
    }
    return values;
}

// Puts a series' points on the chart only if they differ from those shown: every change makes Qt Charts
// lay the series out again.
void SweepChartView::fill(QLineSeries* series) {
    const auto column = static_cast<std::size_t>(m_series.indexOf(series));
    if (!series->isVisible() || column >= m_table.series.size()) {
        if (series->count() > 0) {
            series->clear();
        }
        return;
    }
    QList<QPointF> points = StepPoints(m_plotX, valuesInUnit(column));
    if (m_logarithmicY) {
        points.removeIf([](QPointF point) { return !(point.y() > 0.0); }); // no place on a logarithmic axis
    }
    if (series->points() != points) {
        series->replace(points);
    }
}

void SweepChartView::fillAll() {
    for (QLineSeries* series : m_series) {
        fill(series);
    }
}

void SweepChartView::plot(const tarvex::MeasurementSetup& setup, const std::vector<tarvex::SweepPoint>& sweep,
                          const tarvex::UncertaintyBudget& current) {
    m_decimalSeparator = locale().decimalPoint().toStdString();
    m_table = tarvex::TabulateSweep(setup, m_axis, sweep, current.showSystematic);
    m_plotX = PlottedX(m_table.x, m_axis == SweepAxis::frequency);
    const double own = m_axis == SweepAxis::frequency ? setup.frequency : setup.level;
    m_markerX = own <= 0.0 && !m_plotX.empty() && m_axis == SweepAxis::frequency ? m_plotX.front() : own;
    const auto atMarker = std::ranges::lower_bound(m_table.x, own);
    m_markerIndex = static_cast<int>(
        std::min(atMarker - m_table.x.begin(),
                 static_cast<std::ptrdiff_t>(std::max<std::size_t>(m_table.x.size(), 1) - 1)));
    if (syncSeries()) {
        attachAll();
    }
    fillAll();
    for (QAbstractAxis* axis :
         {static_cast<QAbstractAxis*>(m_linearY), static_cast<QAbstractAxis*>(m_logY)}) {
        axis->setTitleText(setup.unit == tarvex::ResultUnit::dB ? QStringLiteral("Uncertainty (dB)")
                                                                : QStringLiteral("Uncertainty (% of power)"));
    }
    labelMarker(setup, current);
    labelFrequencies();
    showHover({}, {}); // a read-out of the previous sweep would be stale
    rangeAxes();
}

// The marker's label and the status line: the expanded uncertainty as the main window's label writes it.
void SweepChartView::labelMarker(const tarvex::MeasurementSetup& setup,
                                 const tarvex::UncertaintyBudget& current) {
    const QString caption = ToQString(tarvex::ExpandedCaption(setup.unit));
    const QString shown =
        ToQString(tarvex::PresentBudget(current, setup.unit, m_decimalSeparator).MU).trimmed();
    const QString at = m_axis == SweepAxis::frequency
                           ? ToQString(tarvex::FrequencyReadoutGHz(setup.frequency, m_decimalSeparator))
                           : ToQString(tarvex::LevelReadout(setup.level, m_decimalSeparator));
    m_marker->setLabel(caption + QStringLiteral(": ") + shown);
    m_currentText = caption + QStringLiteral(": ") + at + QStringLiteral(", ") + shown;
    describe(at, shown);
    const bool zeroShown = m_axis == SweepAxis::frequency && !m_table.x.empty() && m_table.x.front() <= 0.0;
    m_marker->setZeroLabel(ToQString(tarvex::FrequencyReadoutGHz(0.0, m_decimalSeparator)), zeroShown);
}

// x spans the sweep; y spans every visible series from 0 (or below). An axis is set only when its range
// changes, as every change makes Qt Charts recompute every series.
void SweepChartView::rangeAxes() {
    if (m_plotX.empty()) {
        return;
    }
    const double left = m_plotX.front();
    const double right = std::max(m_plotX.back(), left * 1.0001 + 1e-9);
    if (m_xRange != std::pair{left, right}) {
        m_xRange = {left, right};
        m_xAxis->setRange(left, right);
    }
    rangeY();
    placeMarker();
}

// y spans every shown series: from 0 (or below) to a round number, or on a logarithmic axis the decades
// around their positive values.
void SweepChartView::rangeY() {
    std::vector<const std::vector<double>*> shown;
    for (qsizetype i = 0; i < m_series.size(); ++i) {
        if (m_series[i]->isVisible()) {
            shown.push_back(&m_table.series[static_cast<std::size_t>(i)].values);
        }
    }
    const auto inUnit = [this](double value) { return tarvex::ValueInUnit(value, m_table.unit); };
    AxisRange range;
    if (m_logarithmicY) {
        range = DecadeRange(inUnit(LowestPositive(shown)), inUnit(SpanOf(shown).highest));
    } else {
        // Over level the lowest levels' noise would squeeze the useful range into the bottom pixels:
        // the range fits the values from the sensor's lowest level + 10 dB upwards.
        const ValueSpan span = SpanOf(shown, m_axis == SweepAxis::level ? kLevelFitOffset : 0);
        range = RoundedRange(inUnit(span.lowest), inUnit(span.highest));
    }
    if (m_yRange != range) {
        m_yRange = range;
        if (!m_logarithmicY) {
            m_linearY->setTickCount(range.tickCount);
        }
        m_yAxis->setRange(range.bottom, range.top);
    }
}

// A logarithmic y axis shows the whole range of the level tab, down to the lowest level's values.
void SweepChartView::setLogarithmicY(bool logarithmic) {
    if (logarithmic == m_logarithmicY) {
        return;
    }
    m_logarithmicY = logarithmic;
    QAbstractAxis* next = logarithmic ? static_cast<QAbstractAxis*>(m_logY) : m_linearY;
    QList<QLineSeries*> all{m_marker->line()};
    all.append(m_series);
    for (QLineSeries* series : all) {
        series->detachAxis(m_yAxis);
    }
    chart()->removeAxis(m_yAxis);
    chart()->addAxis(next, Qt::AlignLeft);
    m_yAxis = next;
    for (QLineSeries* series : all) {
        series->attachAxis(m_yAxis);
    }
    m_yRange = {0.0, 0.0, 0};
    fillAll();
    rangeAxes();
}

void SweepChartView::placeMarker() {
    if (m_plotX.empty() || (m_logarithmicY && !(m_yRange.bottom > 0.0))) {
        return;
    }
    m_marker->place(m_markerX, m_yRange.bottom, m_yRange.top, m_plotX.front());
    if (m_axis == SweepAxis::frequency) {
        const double bottom = m_yRange.bottom;
        m_ticks->place(
            [this, bottom](double x) {
                return chart()->mapToPosition(QPointF(x, bottom), m_marker->line()).x();
            },
            chart()->plotArea().bottom());
    }
}

// The frequency axis names the decades and the band's ends as the window's read-outs write them.
void SweepChartView::labelFrequencies() {
    if (m_axis != SweepAxis::frequency || m_table.x.empty()) {
        return;
    }
    const double lowest = m_table.x.front() > 0.0 || m_table.x.size() < 2 ? m_table.x.front() : m_table.x[1];
    chart()->setLocale(locale());
    m_ticks->setTicks(FrequencyTickValues(lowest, m_table.x.back()), [this](double x) {
        return ToQString(tarvex::FrequencyReadoutGHz(x, m_decimalSeparator));
    });
}

QString SweepChartView::csv() const {
    return ToQString(tarvex::SweepCsv(m_table));
}
