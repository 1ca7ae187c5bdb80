// The chart window as a user meets it: opened from View, following every input of the main window,
// moving its bars from a click, and closing with it. Expected numbers come from the core's evaluation of
// the inputs as the main window's controls show them.

#include "budget/budget_description.h"
#include "budget/inputs.h"
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"
#include "tests/ui/main_window_probe.h"
#include "ui/chart/chart_window.h"
#include "ui/main/main_window.h"

#include <QChartView>
#include <QCheckBox>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPointer>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QValueAxis>

#include <memory>

namespace tarvex::uitest {
namespace {

QLineSeries* SeriesNamed(const QChartView& view, const QString& objectName) {
    for (QAbstractSeries* series : view.chart()->series()) {
        if (series->objectName() == objectName) {
            return qobject_cast<QLineSeries*>(series);
        }
    }
    return nullptr;
}

// The y of a series at x (the frequency in GHz or the level in dBm as plotted). A series holds the ends
// of each run of equal values, so between two of its points that are not neighbours the value stands.
double YAt(const QLineSeries& series, double x) {
    const QList<QPointF> points = series.points();
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (qFuzzyCompare(points[i].x(), x)) {
            return points[i].y();
        }
        if (i > 0 && points[i - 1].x() < x && x < points[i].x() && points[i - 1].y() == points[i].y()) {
            return points[i].y();
        }
    }
    qFatal("series %s has no point at %g", qPrintable(series.objectName()), x);
}

} // namespace

class ChartWindowTest : public QObject {
    Q_OBJECT

    // Qt Test runs the slots of the object, so they stay members even where they use none.
    // NOLINTBEGIN(readability-convert-member-functions-to-static)
private slots:
    void init() {
        m_main = std::make_unique<Main>();
        m_main->show();
        openChart();
    }

    void cleanup() { m_main.reset(); }

    void opensOnceAsItsOwnWindow() {
        QVERIFY(m_chart->isWindow());
        QCOMPARE(m_chart->windowModality(), Qt::NonModal);
        QVERIFY(m_chart->minimumSize() != m_chart->maximumSize()); // resizable
        probe().perform({QStringLiteral("menu:mnuChart")});
        QCOMPARE(m_main->findChildren<QWidget*>(QStringLiteral("frmChart")).size(), 1);
        QCOMPARE(probe().find<QAction>(QStringLiteral("mnuChart")).shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+G")));
    }

    // Every series at the marker equals the main window's numbers, in every state; the steps reach each
    // input that the chart follows.
    void followsTheWindow_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("systematic");
        QTest::newRow("start") << "" << false;
        QTest::newRow("TS-106 band edge, systematic")
            << "lstMeßkopf=TS-106;vsbFrequenz=1818;vsbPegel=13;menu:mnufd_Lin_sys" << true;
        QTest::newRow("TS-106 above the edge, percent")
            << "lstMeßkopf=TS-106;vsbFrequenz=1819;click:opt_unit_percent" << false;
        QTest::newRow("TS-301 at DC, conservative")
            << "vsbFrequenz=0;menu:mnuSensor_Match_Conservative" << false;
        QTest::newRow("TS-203 at 40 dBm, filter, harmonics")
            << "lstMeßkopf=TS-203;vsbPegel=40;vsbFilter=2;vsbHarmonics2f=-20" << false;
        QTest::newRow("TS-104 unticked calibration and noise")
            << "lstMeßkopf=TS-104;click:chk_cal;click:chk_noise;vsbAnpassung=100" << false;
    }
    void followsTheWindow() {
        QFETCH(QString, steps);
        QFETCH(bool, systematic);
        probe().perform(steps.split(QLatin1Char(';'), Qt::SkipEmptyParts));
        checkSeriesAtMarker(systematic);
    }

    void unitSwitchRelabels() {
        const QLineSeries* expanded = SeriesNamed(frequencyChart(), QStringLiteral("seriesExpanded"));
        QCOMPARE(expanded->name(), FromView(ExpandedCaption(ResultUnit::dB)));
        probe().perform(
            {QStringLiteral("click:opt_unit_percent"), QStringLiteral("menu:mnuSensor_Match_Conservative")});
        for (QChartView* view : {&frequencyChart(), &levelChart()}) {
            QCOMPARE(SeriesNamed(*view, QStringLiteral("seriesExpanded"))->name(),
                     FromView(ExpandedCaption(ResultUnit::percent)));
            QCOMPARE(SeriesNamed(*view, QStringLiteral("series_M"))->name(),
                     FromView(kMismatchConservativeCaption));
            const auto* y = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
            QVERIFY(y->titleText().contains(QLatin1Char('%')));
        }
    }

    // The status line names the main window's current expanded uncertainty after every change, without
    // the mouse moving: in the window's unit, at the frequency bar's read-out, as the window's label.
    void statusLineFollowsTheWindow_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("unit");
        QTest::newRow("start") << "" << 0;
        QTest::newRow("sensor") << "lstMeßkopf=TS-101" << 0;
        QTest::newRow("unit") << "lstMeßkopf=TS-101;click:opt_unit_percent" << 1;
        QTest::newRow("mismatch") << "click:opt_unit_percent;menu:mnuSensor_Match_Conservative" << 1;
        QTest::newRow("0 kHz") << "lstMeßkopf=TS-301;vsbFrequenz=0" << 0;
    }
    void statusLineFollowsTheWindow() {
        QFETCH(QString, steps);
        QFETCH(int, unit);
        probe().perform(steps.split(QLatin1Char(';'), Qt::SkipEmptyParts));
        const QString expected = FromView(ExpandedCaption(static_cast<ResultUnit>(unit))) +
                                 QStringLiteral(": ") + probe().text(QStringLiteral("lbl_Frequency")) +
                                 QStringLiteral(", ") + probe().text(QStringLiteral("lbl_MU")).trimmed();
        QCOMPARE(MainProbe(*m_chart).find<QLabel>(QStringLiteral("lblChartPoint")).text(), expected);
    }

    // x spans the sensor's range: a sensor down to DC starts at half the lowest non-zero frequency.
    void sensorChangeRerangesAxes_data() {
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<double>("lowestGHz");
        QTest::addColumn<double>("highestGHz");
        QTest::addColumn<int>("lowestDbm");
        QTest::addColumn<int>("highestDbm");
        QTest::newRow("TS-301 from DC") << "TS-301" << 0.00005 << 18.0 << -30 << 20;
        QTest::newRow("TS-106") << "TS-106" << 0.05 << 26.5 << -64 << 13;
        QTest::newRow("TS-305") << "TS-305" << 0.00005 << 40.0 << -30 << 20;
    }
    void sensorChangeRerangesAxes() {
        QFETCH(QString, sensor);
        QFETCH(double, lowestGHz);
        QFETCH(double, highestGHz);
        QFETCH(int, lowestDbm);
        QFETCH(int, highestDbm);
        probe().perform({QStringLiteral("lstMeßkopf=") + sensor});
        const auto* frequency =
            qobject_cast<QLogValueAxis*>(frequencyChart().chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(frequency != nullptr);
        QCOMPARE(frequency->min(), lowestGHz);
        QCOMPARE(frequency->max(), highestGHz);
        const auto* level = qobject_cast<QValueAxis*>(levelChart().chart()->axes(Qt::Horizontal).value(0));
        QCOMPARE(level->min(), static_cast<double>(lowestDbm));
        QCOMPARE(level->max(), static_cast<double>(highestDbm));
    }

    // A click in the plot moves the bar to the nearest position; its handler writes the labels. Where
    // positions lie closer together than pixels, a click picks among neighbours, so the rows click where
    // they lie apart.
    void clickMovesTheBar_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("position");
        QTest::newRow("500 kHz") << "chartFrequency" << 0.0005 << "vsbFrequenz" << 5;
        QTest::newRow("DC") << "chartFrequency" << 0.00005 << "vsbFrequenz" << 0;
        QTest::newRow("-12 dBm") << "chartLevel" << -12.0 << "vsbPegel" << -12;
    }
    void clickMovesTheBar() {
        QFETCH(QString, chart);
        QFETCH(double, x);
        QFETCH(QString, bar);
        QFETCH(int, position);
        if (chart == QLatin1String("chartLevel")) {
            m_chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))->setCurrentIndex(1);
            QApplication::processEvents();
        }
        auto& view = MainProbe(*m_chart).find<QChartView>(chart);
        const QLineSeries* expanded = SeriesNamed(view, QStringLiteral("seriesExpanded"));
        const QPointF inChart =
            view.chart()->mapToPosition(QPointF(x, YAt(*expanded, x)), const_cast<QLineSeries*>(expanded));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          view.mapFromScene(view.chart()->mapToScene(inChart)));
        QCOMPARE(probe().bar(bar).value(), position);
        QCOMPARE(probe().text(QStringLiteral("lbl_Frequency")),
                 FromView(FrequencyReadout(probe().bar(QStringLiteral("vsbFrequenz")).value())));
        checkSeriesAtMarker(false);
    }

    // The keys move the marker, and with it the main window's bar through its handler: one position, ten,
    // or to the range's ends; Tab then Space shows the first hidden series from its legend entry.
    void keysMoveTheBar_data() {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("move"); // positions, or -1000 / 1000 for the bar's minimum / maximum
        QTest::newRow("Right") << "chartFrequency" << int(Qt::Key_Right) << "vsbFrequenz" << 1;
        QTest::newRow("Page Down") << "chartFrequency" << int(Qt::Key_PageDown) << "vsbFrequenz" << -10;
        QTest::newRow("Left on level") << "chartLevel" << int(Qt::Key_Left) << "vsbPegel" << -1;
        QTest::newRow("Home on level") << "chartLevel" << int(Qt::Key_Home) << "vsbPegel" << -1000;
        QTest::newRow("End") << "chartFrequency" << int(Qt::Key_End) << "vsbFrequenz" << 1000;
    }
    void keysMoveTheBar() {
        QFETCH(QString, chart);
        QFETCH(int, key);
        QFETCH(QString, bar);
        QFETCH(int, move);
        probe().perform({QStringLiteral("vsbFrequenz=500"), QStringLiteral("vsbPegel=-10")});
        auto& view = MainProbe(*m_chart).find<QChartView>(chart);
        m_chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))->setCurrentWidget(&view);
        const QScrollBar& moved = probe().bar(bar);
        const int expected =
            move == -1000 ? moved.minimum() : (move == 1000 ? moved.maximum() : moved.value() + move);
        QTest::keyClick(&view, static_cast<Qt::Key>(key));
        QCOMPARE(moved.value(), expected);
        QVERIFY(view.accessibleDescription().contains(QStringLiteral("at the marker ") +
                                                      (bar == QLatin1String("vsbPegel")
                                                           ? probe().text(QStringLiteral("lbl_Level"))
                                                           : probe().text(QStringLiteral("lbl_Frequency")))));
    }

    void tabAndSpaceShowASeries() {
        auto& view = frequencyChart();
        view.setFocus();
        QLineSeries* calibration = SeriesNamed(view, QStringLiteral("series_cal"));
        QVERIFY(!calibration->isVisible());
        for (int i = 0; i < 3; ++i) { // expanded, combined, then calibration
            QTest::keyClick(&view, Qt::Key_Tab);
        }
        QTest::keyClick(&view, Qt::Key_Space);
        QVERIFY(calibration->isVisible());
    }

    // Logarithmic y on the level tab shows the whole range, the lowest level's value included.
    void logarithmicYShowsTheWholeLevelRange() {
        probe().perform({QStringLiteral("lstMeßkopf=TS-101")});
        m_chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))->setCurrentIndex(1);
        auto& logarithmic = MainProbe(*m_chart).find<QCheckBox>(QStringLiteral("chkLogarithmicY"));
        QVERIFY(logarithmic.isVisible());
        const QLineSeries* expanded = SeriesNamed(levelChart(), QStringLiteral("seriesExpanded"));
        const double lowestLevelValue = expanded->points().first().y();
        const auto* linear = qobject_cast<QValueAxis*>(levelChart().chart()->axes(Qt::Vertical).value(0));
        QVERIFY(linear->max() < lowestLevelValue); // fitted from the lowest level + 10 dB
        logarithmic.click();
        const auto* decades = qobject_cast<QLogValueAxis*>(levelChart().chart()->axes(Qt::Vertical).value(0));
        QVERIFY(decades != nullptr);
        QVERIFY(decades->max() >= lowestLevelValue);
        const MeasurementSetup setup = probe().setupFromControls(false);
        QCOMPARE(YAt(*expanded, setup.level), ShownValues(EvaluateBudget(setup), setup.unit).MU);
    }

    // The Distribution tab shows the core's caption and density; with nothing ticked it says so. The Monte
    // Carlo histogram comes from a worker; after a change of input the old one is gone at once.
    void distributionTab() {
        m_chart->findChild<QTabWidget*>(QStringLiteral("tabCharts"))->setCurrentIndex(2);
        QApplication::processEvents();
        const MeasurementSetup setup = probe().setupFromControls(false);
        const std::optional<DescribedCoverage> coverage =
            DescribeCoverage(setup, EvaluateBudget(setup), CoverageMethod::exact);
        QVERIFY(coverage.has_value());
        const auto& caption = MainProbe(*m_chart).find<QLabel>(QStringLiteral("lblDistribution"));
        QCOMPARE(caption.text(), FromView(coverage->caption));
        auto& view = MainProbe(*m_chart).find<QChartView>(QStringLiteral("chartDistribution"));
        QVERIFY(SeriesNamed(view, QStringLiteral("seriesDensity"))->count() > 10);

        MainProbe(*m_chart).find<QCheckBox>(QStringLiteral("chkMonteCarlo")).click();
        const QLineSeries* histogram = SeriesNamed(view, QStringLiteral("seriesHistogram"));
        QTRY_VERIFY_WITH_TIMEOUT(histogram->isVisible(), 20000);
        probe().perform({QStringLiteral("vsbFrequenz=1500")});
        QVERIFY(!histogram->isVisible()); // the old inputs' histogram is never shown with the new
        QTRY_VERIFY_WITH_TIMEOUT(histogram->isVisible(), 20000);

        QStringList untick;
        for (const ResultRow& row : kResultRows) {
            if (probe().ticked(row.checkBox)) {
                untick << QStringLiteral("click:") + FromView(row.checkBox);
            }
        }
        probe().perform(untick);
        QVERIFY(caption.text().startsWith(QStringLiteral("No distribution")));
        QCOMPARE(SeriesNamed(view, QStringLiteral("seriesDensity"))->count(), 0);
    }

    // A closed chart is deleted; moving a bar afterwards reaches nothing of it, and it opens afresh.
    void closeThenMoveAndReopen() {
        m_chart->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_chart.isNull());
        probe().perform({QStringLiteral("vsbFrequenz=500"), QStringLiteral("lstMeßkopf=TS-101")});
        openChart();
        checkSeriesAtMarker(false);
    }

    void closesWithTheMainWindow() {
        m_main->close();
        QVERIFY(!m_chart->isVisible());
    }

    // Data as CSV with "." decimals whatever the locale, an image as PNG or SVG.
    void savesDataAndImage() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ChartWindow chart(nullptr, {});
        chart.show();
        MeasurementSetup setup = StartSetup();
        setup.sensor = "TS-203";
        chart.follow(setup, EvaluateBudget(setup));
        PinLocale();
        QTemporaryDir directory;
        QVERIFY(chart.saveData(directory.filePath(QStringLiteral("chart.csv"))));
        QFile data(directory.filePath(QStringLiteral("chart.csv")));
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(data.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1 + 618 - 21 + 1); // header, then 0.03 ... 6 GHz
        QCOMPARE(lines.first().section(u',', 0, 2), QStringLiteral("frequency_GHz,MU_dB,uc_dB"));
        QCOMPARE(lines.at(1).section(u',', 0, 0), QStringLiteral("0.03"));
        QCOMPARE(lines.at(1).split(u',').size(), 1 + 2 + 12); // x, expanded, combined, contributions
        for (const char* name : {"chart.png", "chart.svg"}) {
            const QString path = directory.filePath(QString::fromLatin1(name));
            QVERIFY(chart.saveImage(path));
            QFile image(path);
            QVERIFY(image.open(QIODevice::ReadOnly));
            const QByteArray head = image.read(256);
            QVERIFY2(head.startsWith("\x89PNG") || head.contains("<svg"), name);
        }
    }
    // NOLINTEND(readability-convert-member-functions-to-static)

private: // NOLINT(readability-redundant-access-specifiers): ends the test slots
    std::unique_ptr<Main> m_main;
    QPointer<QWidget> m_chart;

    MainProbe probe() const { return MainProbe(*m_main); }
    QChartView& frequencyChart() const {
        return MainProbe(*m_chart).find<QChartView>(QStringLiteral("chartFrequency"));
    }
    QChartView& levelChart() const {
        return MainProbe(*m_chart).find<QChartView>(QStringLiteral("chartLevel"));
    }

    void openChart() {
        probe().perform({QStringLiteral("menu:mnuChart")});
        m_chart = FindControl<QWidget>(*m_main, QStringLiteral("frmChart"));
        QVERIFY(m_chart != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(m_chart));
    }

    // Every series at the marker against the main window's budget, in both charts.
    void checkSeriesAtMarker(bool fdLinSystematic) const {
        const MeasurementSetup setup = probe().setupFromControls(fdLinSystematic);
        const UncertaintyBudget budget = EvaluateBudget(setup);
        const ResultValues values = ShownValues(budget, setup.unit);
        const double scale = setup.unit == ResultUnit::percent ? 100.0 : 1.0;
        for (QChartView* view : {&frequencyChart(), &levelChart()}) {
            const QLineSeries* marker = SeriesNamed(*view, QStringLiteral("marker"));
            QVERIFY(marker != nullptr && marker->count() == 2);
            const double x = marker->at(0).x();
            if (view == &levelChart()) {
                QCOMPARE(x, static_cast<double>(setup.level));
            } else if (setup.frequency > 0.0) {
                QCOMPARE(x, setup.frequency);
            }
            QCOMPARE(YAt(*SeriesNamed(*view, QStringLiteral("seriesExpanded")), x), scale * values.MU);
            QCOMPARE(YAt(*SeriesNamed(*view, QStringLiteral("seriesCombined")), x), scale * values.uc);
            const QLineSeries* systematic = SeriesNamed(*view, QStringLiteral("seriesSystematic"));
            QCOMPARE(systematic != nullptr, budget.showSystematic);
            if (systematic != nullptr) {
                QCOMPARE(YAt(*systematic, x), scale * values.systematicError);
            }
            for (const ContributionInfo& info : kContributions) {
                QLineSeries* series = SeriesNamed(*view, QStringLiteral("series_") + FromView(info.keyName));
                QCOMPARE(series != nullptr, setup.include[Index(info.key)] != 0);
                if (series != nullptr) {
                    QVERIFY(!series->isVisible()); // shown only from its legend entry
                    series->setVisible(true);
                    QCOMPARE(YAt(*series, x), scale * values.u[Index(info.key)]);
                    series->setVisible(false);
                }
            }
        }
    }
};

} // namespace tarvex::uitest

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<tarvex::uitest::ChartWindowTest>(argc, argv);
}

#include "chart_window_test.moc"
