#include "ui/chart/sweep_chart_view.h"

#include "budget/presentation.h"
#include "ui/controls/qt_text.h"

#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

using tarvex::Contribution;
using tarvex::ResultUnit;
using tarvex::SweepAxis;

constexpr qreal kExpandedWidth = 3.0;
constexpr double kHeadroom = 1.08; // the highest curve stays clear of the top edge
constexpr double kYTicks = 5.0;    // about this many steps up the y axis

} // namespace

SweepChartView::SweepChartView(SweepAxis axis, QWidget* parent)
    : QChartView(parent)
    , m_axis(axis) {
    setObjectName(axis == SweepAxis::frequency ? QStringLiteral("chartFrequency")
                                               : QStringLiteral("chartLevel"));
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    QChart* chart = this->chart();
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));

    if (axis == SweepAxis::frequency) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setBase(10.0);
        logAxis->setLabelFormat(QStringLiteral("%g"));
        logAxis->setMinorTickCount(8);
        logAxis->setTitleText(QStringLiteral("Frequency (GHz)"));
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
    m_yAxis = new QValueAxis;
    m_yAxis->setLabelFormat(QStringLiteral("%.3g"));
    chart->addAxis(m_xAxis, Qt::AlignBottom);
    chart->addAxis(m_yAxis, Qt::AlignLeft);

    m_expanded = newSeries("seriesExpanded");
    QPen bold = m_expanded->pen();
    bold.setWidthF(kExpandedWidth);
    bold.setCapStyle(Qt::FlatCap); // no blots where thousands of short segments meet
    bold.setJoinStyle(Qt::RoundJoin);
    m_expanded->setPen(bold);
    m_combined = newSeries("seriesCombined");
    m_marker = new QLineSeries;
    m_marker->setObjectName(QStringLiteral("marker"));
    m_marker->setPen(QPen(Qt::darkGray, 1.0, Qt::DashLine));

    m_markerLabel = new QGraphicsSimpleTextItem(chart);
    m_markerLabel->setZValue(10);
    m_dcLabel = new QGraphicsSimpleTextItem(QStringLiteral("DC"), chart);
    m_dcLabel->setZValue(10);
    m_dcLabel->hide();
    connect(chart, &QChart::plotAreaChanged, this, &SweepChartView::placeMarker);
    attachAll();
}

QLineSeries* SweepChartView::newSeries(const std::string& objectName) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromStdString(objectName));
    connect(series, &QLineSeries::visibleChanged, this, [this, series] { visibilityChanged(series); });
    return series;
}

QList<QLineSeries*> SweepChartView::dataSeries() const {
    QList<QLineSeries*> series{m_expanded, m_combined};
    if (m_systematic != nullptr) {
        series.append(m_systematic);
    }
    for (const Contribution key : tarvex::kTableOrder) {
        if (QLineSeries* contribution = m_contributions[tarvex::Index(key)]) {
            series.append(contribution);
        }
    }
    return series;
}

// Takes a series off the chart, forgets its points, deletes it and clears the pointer to it.
void SweepChartView::deleteSeries(QLineSeries*& series) {
    chart()->removeSeries(series);
    m_data.remove(series);
    delete series;
    series = nullptr;
}

// Creates the series of newly ticked contributions (hidden) and of the systematic error, deletes those
// that are gone. True when the set changed.
bool SweepChartView::syncSeries(const tarvex::MeasurementSetup& setup, bool showSystematic) {
    bool changed = false;
    for (std::size_t i = 0; i < tarvex::kContributionCount; ++i) {
        QLineSeries*& series = m_contributions[i];
        const bool wanted = setup.include[i] != 0;
        if (wanted && series == nullptr) {
            series = newSeries("series_" + std::string(tarvex::kContributions[i].keyName));
            series->setVisible(false);
            changed = true;
        } else if (!wanted && series != nullptr) {
            deleteSeries(series);
            changed = true;
        }
    }
    if (showSystematic && m_systematic == nullptr) {
        m_systematic = newSeries("seriesSystematic");
        changed = true;
    } else if (!showSystematic && m_systematic != nullptr) {
        deleteSeries(m_systematic);
        changed = true;
    }
    return changed;
}

// Adds the series in legend order, the marker last and without legend entry. A click on a legend
// entry shows or hides its series; the entry stays, dimmed while its series is hidden.
void SweepChartView::attachAll() {
    QChart* chart = this->chart();
    for (QAbstractSeries* series : chart->series()) {
        chart->removeSeries(series);
    }
    QList<QLineSeries*> all = dataSeries();
    all.append(m_marker);
    for (QLineSeries* series : all) {
        const bool visible = series->isVisible();
        chart->addSeries(series);
        series->attachAxis(m_xAxis);
        series->attachAxis(m_yAxis);
        for (QLegendMarker* marker : chart->legend()->markers(series)) {
            if (series == m_marker) {
                marker->setVisible(false);
                continue;
            }
            connect(marker, &QLegendMarker::clicked, series,
                    [series] { series->setVisible(!series->isVisible()); });
        }
        series->setVisible(visible);
        if (series != m_marker) {
            visibilityChanged(series);
        }
    }
}

// A hidden series holds no points, so that Qt Charts spends nothing on it while it is hidden; shown, it
// gets its data back. Its legend entry stays, dimmed while it is hidden.
void SweepChartView::visibilityChanged(QLineSeries* series) {
    const bool visible = series->isVisible();
    for (QLegendMarker* marker : chart()->legend()->markers(series)) {
        marker->setVisible(true);
        QColor text = marker->labelBrush().color();
        text.setAlphaF(visible ? 1.0F : 0.4F);
        marker->setLabelBrush(text);
    }
    fill(series);
    if (!m_x.empty()) {
        rangeAxes();
    }
}

void SweepChartView::fill(QLineSeries* series) {
    if (!series->isVisible()) {
        if (series->count() > 0) {
            series->clear();
        }
        return;
    }
    const QList<QPointF>& points = m_data[series];
    if (series->count() != points.size() || series->points() != points) {
        series->replace(points);
    }
}

// Stores a new column of a series and puts it on the chart only if it differs from the one shown.
void SweepChartView::setData(QLineSeries* series, QList<QPointF> points) {
    QList<QPointF>& stored = m_data[series];
    const bool same = stored.size() == points.size() &&
                      std::equal(stored.begin(), stored.end(), points.begin(), [](QPointF a, QPointF b) {
                          return a.x() == b.x() && a.y() == b.y(); // exact: the labels' numbers, unrounded
                      });
    if (!same) {
        stored = std::move(points);
        if (series->isVisible()) {
            series->replace(stored);
        }
    }
}

// Each series is named by the caption of its result row as the main window shows it.
void SweepChartView::nameSeries(const tarvex::MeasurementSetup& setup) {
    m_expanded->setName(ToQString(tarvex::ExpandedCaption(setup.unit)));
    m_combined->setName(ToQString(tarvex::kCombinedCaption));
    if (m_systematic != nullptr) {
        m_systematic->setName(ToQString(tarvex::SystematicCaption(setup.unit)));
    }
    for (std::size_t i = 0; i < tarvex::kContributionCount; ++i) {
        if (QLineSeries* series = m_contributions[i]) {
            const bool mismatch = i == tarvex::Index(Contribution::M);
            series->setName(ToQString(mismatch ? tarvex::MismatchCaption(setup.mismatchMode)
                                               : tarvex::kContributions[i].caption));
        }
    }
    m_yAxis->setTitleText(setup.unit == ResultUnit::dB ? QStringLiteral("Uncertainty (dB)")
                                                       : QStringLiteral("Uncertainty (% of power)"));
}

// A logarithmic axis has no place for 0 GHz: DC is drawn at half the lowest non-zero frequency of the
// sweep, which is where the axis starts.
double SweepChartView::plottedX(double x) const {
    if (m_axis == SweepAxis::frequency && x <= 0.0) {
        return m_plotX.size() > 1 ? m_plotX[1] / 2.0 : 1e-4;
    }
    return x;
}

void SweepChartView::plot(const tarvex::MeasurementSetup& setup, const std::vector<tarvex::SweepPoint>& sweep,
                          const tarvex::UncertaintyBudget& current) {
    m_unit = setup.unit;
    m_decimalSeparator = locale().decimalPoint().toStdString();
    if (syncSeries(setup, current.showSystematic)) {
        attachAll();
    }
    nameSeries(setup);

    const std::size_t count = sweep.size();
    m_positions.resize(count);
    m_x.resize(count);
    m_plotX.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        m_positions[i] = sweep[i].position;
        m_x[i] = sweep[i].x;
        m_plotX[i] = sweep[i].x;
    }
    if (count > 0) {
        m_plotX[0] = plottedX(m_x[0]);
    }

    // y is the unrounded number the window's label shows: dB, or in percent 100 times the fraction
    // that its "%" pattern multiplies.
    const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0;
    const auto sized = [count] {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(count));
        return points;
    };
    QList<QPointF> expanded = sized();
    QList<QPointF> combined = sized();
    QList<QPointF> systematic = m_systematic != nullptr ? sized() : QList<QPointF>{};
    tarvex::PerContribution<QList<QPointF>> contributions;
    for (std::size_t k = 0; k < tarvex::kContributionCount; ++k) {
        if (m_contributions[k] != nullptr) {
            contributions[k] = sized();
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const tarvex::ResultValues values = tarvex::ShownValues(sweep[i].budget, setup.unit);
        const double x = m_plotX[i];
        expanded.append({x, scale * values.MU});
        combined.append({x, scale * values.uc});
        if (m_systematic != nullptr) {
            systematic.append({x, scale * values.systematicError});
        }
        for (std::size_t k = 0; k < tarvex::kContributionCount; ++k) {
            if (m_contributions[k] != nullptr) {
                contributions[k].append({x, scale * values.u[k]});
            }
        }
    }
    setData(m_expanded, std::move(expanded));
    setData(m_combined, std::move(combined));
    if (m_systematic != nullptr) {
        setData(m_systematic, std::move(systematic));
    }
    for (std::size_t k = 0; k < tarvex::kContributionCount; ++k) {
        if (m_contributions[k] != nullptr) {
            setData(m_contributions[k], std::move(contributions[k]));
        }
    }

    const double own = m_axis == SweepAxis::frequency ? setup.frequency : setup.level;
    m_markerX = plottedX(own);
    const std::string shown = tarvex::PresentBudget(current, setup.unit, m_decimalSeparator).MU;
    m_markerLabel->setText(ToQString(tarvex::ExpandedCaption(setup.unit)) + QStringLiteral(": ") +
                           ToQString(shown).trimmed());
    m_dcLabel->setVisible(m_axis == SweepAxis::frequency && count > 0 && m_x[0] <= 0.0);
    rangeAxes();
}

// x spans the sweep; y spans every visible series from 0 (or below) up to a round number, in steps
// of 1, 2, 2.5 or 5 times a power of ten. An axis is set only when its range changes, as every change
// makes Qt Charts recompute every series.
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
    double low = 0.0;
    double high = 0.0;
    for (const QLineSeries* series : dataSeries()) {
        if (!series->isVisible()) {
            continue;
        }
        for (const QPointF& point : m_data[series]) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    const double span = high > low ? (high - low) * kHeadroom : 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(span / kYTicks)));
    double step = magnitude * 5.0;
    for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
        if (magnitude * factor * kYTicks >= span) {
            step = magnitude * factor;
            break;
        }
    }
    const double bottom = std::floor(low / step) * step;
    const double top = std::max(bottom + step, std::ceil((low + span) / step) * step);
    if (m_yRange != std::pair{bottom, top}) {
        m_yRange = {bottom, top};
        m_yAxis->setTickCount(static_cast<int>(std::lround((top - bottom) / step)) + 1);
        m_yAxis->setRange(bottom, top);
    }
    placeMarker();
}

void SweepChartView::placeMarker() {
    if (m_plotX.empty()) {
        return;
    }
    m_marker->replace(QList<QPointF>{{m_markerX, m_yAxis->min()}, {m_markerX, m_yAxis->max()}});
    const QRectF area = chart()->plotArea();
    const QPointF top = chart()->mapToPosition(QPointF(m_markerX, m_yAxis->max()), m_expanded);
    const QRectF label = m_markerLabel->boundingRect();
    const qreal left =
        top.x() + 4.0 + label.width() <= area.right() ? top.x() + 4.0 : top.x() - 4.0 - label.width();
    m_markerLabel->setPos(left, top.y() + 2.0);
    const QPointF dc = chart()->mapToPosition(QPointF(m_plotX.front(), m_yAxis->min()), m_expanded);
    m_dcLabel->setPos(dc.x() + 3.0, dc.y() - m_dcLabel->boundingRect().height() - 2.0);
}
