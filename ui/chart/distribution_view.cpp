#include "ui/chart/distribution_view.h"

#include "budget/budget_description.h"
#include "ui/chart/axis_range.h"
#include "ui/chart/series_style.h"
#include "ui/controls/qt_text.h"

#include <QBoxLayout>
#include <QChartView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr std::size_t kHistogramBins = 60;

QLineSeries* AddSeries(QChart* chart, const char* name, const QString& caption) {
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(name));
    series->setName(caption);
    chart->addSeries(series);
    return series;
}

// A line at each end of ±half, both as one series: up at -half, along the x axis, up at +half.
QList<QPointF> MarkLines(double half, double top) {
    return {{-half, top}, {-half, 0.0}, {half, 0.0}, {half, top}};
}

} // namespace

struct DistributionView::Mailbox {
    DistributionView* view;
};

DistributionView::DistributionView(QWidget* parent)
    : QWidget(parent)
    , m_view(new QChartView(this))
    , lblDistribution(new QLabel(this))
    , chkMonteCarlo(new QCheckBox(QStringLiteral("&Monte Carlo histogram"), this))
    , m_x(new QValueAxis)
    , m_y(new QValueAxis)
    , m_mailbox(std::make_shared<Mailbox>(Mailbox{this})) {
    setObjectName(QStringLiteral("distribution"));
    m_view->setObjectName(QStringLiteral("chartDistribution"));
    m_view->setAccessibleName(QStringLiteral("Distribution of the total error"));
    m_view->setRenderHint(QPainter::Antialiasing);
    lblDistribution->setObjectName(QStringLiteral("lblDistribution"));
    lblDistribution->setWordWrap(true);
    chkMonteCarlo->setObjectName(QStringLiteral("chkMonteCarlo"));
    QChart* chart = m_view->chart();
    chart->setLocalizeNumbers(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    m_x->setTitleText(QStringLiteral("Total error (dB)"));
    m_y->setTitleText(QStringLiteral("Probability density (1/dB)"));
    m_x->setLabelFormat(QStringLiteral("%.3g"));
    m_y->setLabelFormat(QStringLiteral("%.3g"));
    chart->addAxis(m_x, Qt::AlignBottom);
    chart->addAxis(m_y, Qt::AlignLeft);
    m_histogram = AddSeries(chart, "seriesHistogram", QStringLiteral("Monte Carlo"));
    m_density = AddSeries(chart, "seriesDensity", QStringLiteral("Density (exact)"));
    m_expanded = AddSeries(chart, "seriesCoverageU", QStringLiteral("±U (k = 2)"));
    m_interval95 = AddSeries(chart, "seriesInterval95", QStringLiteral("95 % interval"));
    for (QLineSeries* series : {m_histogram, m_density, m_expanded, m_interval95}) {
        series->attachAxis(m_x);
        series->attachAxis(m_y);
    }
    m_histogram->setVisible(false);
    chart->legend()->markers(m_histogram).value(0)->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDistribution, 1);
    bottom->addWidget(chkMonteCarlo);
    layout->addLayout(bottom);
    followPalette();
    connect(chkMonteCarlo, &QCheckBox::toggled, this, [this](bool on) {
        m_histogram->setVisible(false);
        m_view->chart()->legend()->markers(m_histogram).value(0)->setVisible(on);
        if (on && m_drawn) {
            startMonteCarlo();
        }
    });
}

// Qt Charts' dark theme under a dark palette, as the other tabs; a theme sets every series' colour, so
// the pens follow it.
void DistributionView::followPalette() {
    const bool dark = IsDarkPalette(palette());
    m_view->chart()->setTheme(dark ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    m_histogram->setPen(SeriesPen("histogram", dark));
    m_density->setPen(SeriesPen("density", dark));
    m_expanded->setPen(SeriesPen("coverage_MU", dark));
    m_interval95->setPen(SeriesPen("interval_95", dark));
}

void DistributionView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        followPalette();
    }
}

DistributionView::~DistributionView() {
    m_mailbox->view = nullptr; // a worker still running delivers to nobody
}

void DistributionView::follow(const tarvex::MeasurementSetup& setup,
                              const tarvex::UncertaintyBudget& budget) {
    m_setup = setup;
    m_budget = budget;
    m_drawn = false;
    ++m_generation;
    m_histogram->setVisible(false); // the shown histogram belongs to the inputs before
    if (isVisible()) {
        draw();
    }
}

void DistributionView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_drawn) {
        draw();
    }
}

// The exact density and marks from the core's description of the coverage; without a distribution the
// caption says so and the plot is empty.
void DistributionView::draw() {
    if (!m_setup.has_value()) {
        return;
    }
    m_drawn = true;
    const std::string separator = locale().decimalPoint().toStdString();
    const std::optional<tarvex::DescribedCoverage> coverage =
        tarvex::DescribeCoverage(*m_setup, m_budget, tarvex::CoverageMethod::exact, separator);
    if (!coverage.has_value()) {
        lblDistribution->setText(QStringLiteral("No distribution: every contribution is unticked or zero."));
        for (QLineSeries* series : {m_histogram, m_density, m_expanded, m_interval95}) {
            series->clear();
        }
        return;
    }
    lblDistribution->setText(ToQString(coverage->caption));
    QList<QPointF> density;
    density.reserve(static_cast<qsizetype>(coverage->density.size()));
    double peak = 0.0;
    for (const tarvex::DensityPoint& point : coverage->density) {
        density.append({point.x, point.density});
        peak = std::max(peak, point.density);
    }
    m_density->replace(density);
    m_span = coverage->density.empty() ? 1.5 * coverage->MU : -coverage->density.front().x;
    const AxisRange half = RoundedRange(0.0, m_span); // symmetric round ticks around 0
    m_x->setRange(-half.top, half.top);
    m_x->setTickCount(2 * half.tickCount - 1);
    const AxisRange range = RoundedRange(0.0, peak);
    m_y->setRange(range.bottom, range.top);
    m_y->setTickCount(range.tickCount);
    drawMarks(coverage->MU, coverage->figures.halfWidth95);
    if (chkMonteCarlo->isChecked()) {
        startMonteCarlo();
    }
}

void DistributionView::drawMarks(double MU, double halfWidth95) {
    m_expanded->replace(MarkLines(MU, m_y->max()));
    m_interval95->replace(MarkLines(halfWidth95, m_y->max()));
}

// The Monte Carlo never runs on the user-interface thread: a worker computes the histogram and hands it
// back through the event loop with the generation of the inputs it was computed for.
void DistributionView::startMonteCarlo() {
    const std::vector<tarvex::ErrorTerm> terms = tarvex::BudgetErrorTerms(*m_setup, m_budget);
    const std::uint64_t generation = m_generation;
    const double span = m_span;
    std::weak_ptr<Mailbox> mailbox = m_mailbox;
    m_workers.start([terms, generation, span, mailbox] {
        const std::optional<tarvex::MonteCarloOutcome> outcome = tarvex::MonteCarloCoverage(terms);
        std::vector<tarvex::DensityPoint> bars;
        if (outcome.has_value()) {
            bars = tarvex::Histogram(outcome->values, -span, span, kHistogramBins);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [mailbox, generation, bars = std::move(bars)] {
                if (const std::shared_ptr<Mailbox> box = mailbox.lock(); box && box->view != nullptr) {
                    box->view->showHistogram(generation, bars);
                }
            },
            Qt::QueuedConnection);
    });
}

// Drawn as the outline of its bars; dropped when the inputs changed since it was started.
void DistributionView::showHistogram(std::uint64_t generation,
                                     const std::vector<tarvex::DensityPoint>& bars) {
    if (generation != m_generation || !chkMonteCarlo->isChecked() || bars.size() < 2) {
        return;
    }
    const double width = bars[1].x - bars[0].x;
    QList<QPointF> outline;
    outline.reserve(2 * static_cast<qsizetype>(bars.size()));
    for (const tarvex::DensityPoint& bar : bars) {
        outline.append({bar.x - width / 2.0, bar.density});
        outline.append({bar.x + width / 2.0, bar.density});
    }
    m_histogram->replace(outline);
    m_histogram->setVisible(true);
}
