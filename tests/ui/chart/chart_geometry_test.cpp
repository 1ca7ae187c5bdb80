// The chart's pure parts: the y axis' rounded range, and the points a series keeps to draw its steps.

#include "ui/chart/axis_range.h"
#include "ui/chart/frequency_ticks.h"
#include "ui/chart/plot_points.h"

#include <QTest>

#include <vector>

using Values = std::vector<double>;
Q_DECLARE_METATYPE(Values)

class ChartGeometryTest : public QObject {
    Q_OBJECT

    // NOLINTBEGIN(readability-convert-member-functions-to-static)
private slots:
    // Expected ranges by hand: the span with 8 % headroom, a step of 1, 2, 2.5 or 5 times a power of ten
    // that gives at most five steps, the ends on whole steps.
    void roundedRange_data() {
        QTest::addColumn<double>("lowest");
        QTest::addColumn<double>("highest");
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("top");
        QTest::addColumn<int>("ticks");
        QTest::newRow("nothing shown") << 0.0 << 0.0 << 0.0 << 1.0 << 6;
        QTest::newRow("0.31 dB: step 0.1") << 0.0 << 0.31 << 0.0 << 0.4 << 5;
        QTest::newRow("3.85 %: step 1") << 0.0 << 3.85 << 0.0 << 5.0 << 6;
        QTest::newRow("14.2 %: step 5") << 0.0 << 14.2 << 0.0 << 20.0 << 5;
        QTest::newRow("0.046 dB: step 0.01") << 0.0 << 0.046 << 0.0 << 0.05 << 6;
        QTest::newRow("negative systematic error") << -0.5 << 0.2 << -0.6 << 0.4 << 6;
        QTest::newRow("all above zero starts at zero") << 2.0 << 2.5 << 0.0 << 3.0 << 4;
    }
    void roundedRange() {
        QFETCH(double, lowest);
        QFETCH(double, highest);
        QFETCH(double, bottom);
        QFETCH(double, top);
        QFETCH(int, ticks);
        const AxisRange range = RoundedRange(lowest, highest);
        QCOMPARE(range.bottom, bottom);
        QCOMPARE(range.top, top);
        QCOMPARE(range.tickCount, ticks);
    }

    // A logarithmic y axis spans whole decades around the positive values.
    void decadeRange_data() {
        QTest::addColumn<double>("lowest");
        QTest::addColumn<double>("highest");
        QTest::addColumn<double>("bottom");
        QTest::addColumn<double>("top");
        QTest::newRow("0.21 to 3.1 dB") << 0.21 << 3.1 << 0.1 << 10.0;
        QTest::newRow("inside one decade") << 0.2 << 0.3 << 0.1 << 1.0;
        QTest::newRow("on decades") << 0.1 << 10.0 << 0.1 << 10.0;
        QTest::newRow("nothing positive") << 0.0 << 0.0 << 0.01 << 0.1;
    }
    void decadeRange() {
        QFETCH(double, lowest);
        QFETCH(double, highest);
        QFETCH(double, bottom);
        QFETCH(double, top);
        const AxisRange range = DecadeRange(lowest, highest);
        QVERIFY(qFuzzyCompare(range.bottom, bottom));
        QVERIFY(qFuzzyCompare(range.top, top));
    }

    // A series keeps both ends of every run of equal values; x and y stay paired.
    void stepPoints_data() {
        QTest::addColumn<Values>("y");
        QTest::addColumn<Values>("keptX");
        QTest::newRow("one run") << Values{1, 1, 1, 1} << Values{0, 3};
        QTest::newRow("a step") << Values{1, 1, 2, 2, 2} << Values{0, 1, 2, 4};
        QTest::newRow("every value changes") << Values{1, 2, 3} << Values{0, 1, 2};
        QTest::newRow("a lone point between runs") << Values{1, 1, 5, 1, 1} << Values{0, 1, 2, 3, 4};
        QTest::newRow("one point") << Values{7} << Values{0};
        QTest::newRow("none") << Values{} << Values{};
    }
    void stepPoints() {
        QFETCH(Values, y);
        QFETCH(Values, keptX);
        Values x(y.size());
        for (std::size_t i = 0; i < x.size(); ++i) {
            x[i] = static_cast<double>(i);
        }
        const QList<QPointF> points = StepPoints(x, y);
        QCOMPARE(points.size(), static_cast<qsizetype>(keptX.size()));
        for (qsizetype i = 0; i < points.size(); ++i) {
            const double kept = keptX[static_cast<std::size_t>(i)];
            QCOMPARE(points[i].x(), kept);
            QCOMPARE(points[i].y(), y[static_cast<std::size_t>(kept)]);
        }
    }

    // 0 kHz is drawn at half the lowest non-zero frequency on the logarithmic axis, nowhere else.
    void plottedX() {
        QCOMPARE(PlottedX({0.0, 0.0001, 0.0002}, true), (Values{0.00005, 0.0001, 0.0002}));
        QCOMPARE(PlottedX({0.03, 0.04}, true), (Values{0.03, 0.04}));
        QCOMPARE(PlottedX({-30.0, 0.0, 1.0}, false), (Values{-30.0, 0.0, 1.0}));
    }
    // The frequency axis names the band's ends and every decade between them.
    void frequencyTicks_data() {
        QTest::addColumn<double>("lowest");
        QTest::addColumn<double>("highest");
        QTest::addColumn<Values>("ticks");
        QTest::newRow("100 kHz to 18 GHz") << 0.0001 << 18.0 << Values{0.0001, 0.001, 0.01, 0.1, 1, 10, 18};
        QTest::newRow("50 MHz to 26.5 GHz") << 0.05 << 26.5 << Values{0.05, 0.1, 1, 10, 26.5};
        QTest::newRow("ends on a decade") << 0.01 << 10.0 << Values{0.01, 0.1, 1, 10};
        QTest::newRow("one frequency") << 1.0 << 1.0 << Values{1};
        QTest::newRow("no frequency above 0") << 0.0 << 6.0 << Values{};
    }
    void frequencyTicks() {
        QFETCH(double, lowest);
        QFETCH(double, highest);
        QFETCH(Values, ticks);
        const Values values = FrequencyTickValues(lowest, highest);
        QCOMPARE(values.size(), ticks.size());
        for (std::size_t i = 0; i < ticks.size(); ++i) {
            QVERIFY2(qFuzzyCompare(values[i], ticks[i]), qPrintable(QString::number(values[i])));
        }
    }
    // NOLINTEND(readability-convert-member-functions-to-static)
};

QTEST_APPLESS_MAIN(ChartGeometryTest)

#include "chart_geometry_test.moc"
