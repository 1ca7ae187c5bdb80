// The inputs of the main window: sensor ranges, positions kept or pulled in on a sensor change, the
// temperature interlock, read-outs written by the bars' handlers, and the bars' arrow directions.

#include "main_window_probe.h"
#include "ui/main_window.h"

#include <QStyle>
#include <QStyleOptionSlider>

using tarvex::uitest::MainProbe;

namespace {

const QString kSensors = QStringLiteral("lstMeßkopf");
const QString kFrequency = QStringLiteral("vsbFrequenz");
const QString kLevel = QStringLiteral("vsbPegel");
const QString kTempMin = QStringLiteral("vsbTemp_min");
const QString kTempMax = QStringLiteral("vsbTemp_max");

// Where a part of a scroll bar is drawn, for clicking it.
QPoint CentreOf(const QScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

} // namespace

class MainWindowInputsTest : public QObject {
    Q_OBJECT

private slots:
    void sensorRanges_data();
    void sensorRanges();
    void positionsOnSensorChange_data();
    void positionsOnSensorChange();
    void temperatureInterlock_data();
    void temperatureInterlock();
    void readoutsFollowTheBars_data();
    void readoutsFollowTheBars();
    void arrowsMoveTowardsTheTop_data();
    void arrowsMoveTowardsTheTop();
};

void MainWindowInputsTest::sensorRanges_data() {
    QTest::addColumn<QString>("sensor");
    QTest::addColumn<int>("frequencyTop");
    QTest::addColumn<int>("frequencyBottom");
    QTest::addColumn<int>("levelTop");
    QTest::addColumn<int>("levelBottom");
    struct Row {
        const char* sensor;
        int frequencyTop;
        int frequencyBottom;
        int levelTop;
        int levelBottom;
    };
    const Row rows[] = {
        {"TS-101", 1818, 19, 13, -67}, {"TS-102", 1818, 19, 27, -47}, {"TS-103", 268, 10, 11, -70},
        {"TS-104", 618, 1, 13, -70},   {"TS-105", 618, 1, 27, -50},   {"TS-106", 2668, 23, 13, -64},
        {"TS-107", 1318, 19, 13, -67}, {"TS-108", 1318, 19, 27, -47}, {"TS-109", 4018, 23, 13, -64},
        {"TS-201", 618, 21, 13, -30},  {"TS-202A", 618, 21, 33, -10}, {"TS-202B", 618, 21, 33, -10},
        {"TS-203", 618, 21, 43, 0},    {"TS-301", 1818, 0, 20, -30},  {"TS-302", 2668, 0, 20, -30},
        {"TS-303", 1818, 0, 40, -10},  {"TS-304", 1818, 0, 45, -5},   {"TS-305", 4018, 0, 20, -30},
    };
    for (const Row& row : rows) {
        QTest::newRow(row.sensor) << QString::fromLatin1(row.sensor) << row.frequencyTop
                                  << row.frequencyBottom << row.levelTop << row.levelBottom;
    }
}

void MainWindowInputsTest::sensorRanges() {
    QFETCH(QString, sensor);
    QFETCH(int, frequencyTop);
    QFETCH(int, frequencyBottom);
    QFETCH(int, levelTop);
    QFETCH(int, levelBottom);
    Main window;
    const MainProbe probe(window);
    probe.select(kSensors, sensor);
    const PositionScrollBar& frequency = probe.bar(kFrequency);
    const PositionScrollBar& level = probe.bar(kLevel);
    QCOMPARE(frequency.Min(), frequencyTop);
    QCOMPARE(frequency.Max(), frequencyBottom);
    QCOMPARE(level.Min(), levelTop);
    QCOMPARE(level.Max(), levelBottom);
    QVERIFY(frequency.value() <= frequencyTop && frequency.value() >= frequencyBottom);
    QVERIFY(level.value() <= levelTop && level.value() >= levelBottom);
    // A position that had to move was written to its read-out by the bar's own handler.
    QCOMPARE(probe.text(QStringLiteral("lbl_Frequency")),
             QString::fromStdString(tarvex::FrequencyReadout(frequency.value())));
    QCOMPARE(probe.text(QStringLiteral("lbl_Level")),
             QString::fromStdString(tarvex::LevelReadout(level.value())));
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(probe.expectedResults(false).uc));
}

void MainWindowInputsTest::positionsOnSensorChange_data() {
    QTest::addColumn<QStringList>("steps"); // a sensor name, or "bar=value"
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("text");
    QTest::newRow("TS-103 pulls 18 GHz down to 2.5 GHz")
        << QStringList{"TS-103"} << kFrequency << 268 << "lbl_Frequency"
        << "2.50 GHz";
    QTest::newRow("TS-301 afterwards keeps 2.5 GHz")
        << QStringList{"TS-103", "TS-301"} << kFrequency << 268 << "lbl_Frequency"
        << "2.50 GHz";
    QTest::newRow("TS-305 at 40 GHz, then TS-301 pulls it to 18 GHz")
        << QStringList{"TS-305", "vsbFrequenz=4018", "TS-301"} << kFrequency << 1818 << "lbl_Frequency"
        << "18.00 GHz";
    QTest::newRow("TS-101 lifts DC to 10 MHz")
        << QStringList{"vsbFrequenz=0", "TS-101"} << kFrequency << 19 << "lbl_Frequency"
        << "10 MHz";
    QTest::newRow("TS-203 lifts -30 dBm to 0 dBm")
        << QStringList{"vsbPegel=-30", "TS-203"} << kLevel << 0 << "lbl_Level"
        << "0 dBm";
    QTest::newRow("TS-203 keeps its power read-out in step")
        << QStringList{"vsbPegel=-30", "TS-203"} << kLevel << 0 << "lbl_Power"
        << "1.0 mW";
    QTest::newRow("TS-304 at 45 dBm, then TS-301 pulls it to 20 dBm")
        << QStringList{"TS-304", "vsbPegel=45", "TS-301"} << kLevel << 20 << "lbl_Power"
        << "100 mW";
    QTest::newRow("a level inside the new range stays")
        << QStringList{"vsbPegel=-10", "TS-202A"} << kLevel << -10 << "lbl_Level"
        << "-10 dBm";
}

void MainWindowInputsTest::positionsOnSensorChange() {
    QFETCH(QStringList, steps);
    QFETCH(QString, bar);
    QFETCH(int, position);
    QFETCH(QString, readout);
    QFETCH(QString, text);
    Main window;
    const MainProbe probe(window);
    for (const QString& step : steps) {
        if (step.contains(QLatin1Char('='))) {
            probe.bar(step.section(QLatin1Char('='), 0, 0))
                .setValue(step.section(QLatin1Char('='), 1).toInt());
        } else {
            probe.select(kSensors, step);
        }
    }
    QCOMPARE(probe.bar(bar).value(), position);
    QCOMPARE(probe.text(readout), text);
}

void MainWindowInputsTest::temperatureInterlock_data() {
    QTest::addColumn<QString>("moved");
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::newRow("lower above upper stops at upper") << kTempMin << 30 << 24 << 24;
    QTest::newRow("lower up to upper") << kTempMin << 24 << 24 << 24;
    QTest::newRow("lower down") << kTempMin << 5 << 5 << 24;
    QTest::newRow("upper below lower stops at lower") << kTempMax << 10 << 22 << 22;
    QTest::newRow("upper down to lower") << kTempMax << 22 << 22 << 22;
    QTest::newRow("upper up") << kTempMax << 50 << 22 << 50;
}

void MainWindowInputsTest::temperatureInterlock() {
    QFETCH(QString, moved);
    QFETCH(int, requested);
    QFETCH(int, lower);
    QFETCH(int, upper);
    Main window;
    const MainProbe probe(window);
    probe.bar(moved).setValue(requested);
    QCOMPARE(probe.bar(kTempMin).value(), lower);
    QCOMPARE(probe.bar(kTempMax).value(), upper);
    QCOMPARE(probe.text(QStringLiteral("lbl_Temp_Min")), QString::number(lower) + QStringLiteral(" °C"));
    QCOMPARE(probe.text(QStringLiteral("lbl_Temp_Max")), QString::number(upper) + QStringLiteral(" °C"));
    QCOMPARE(probe.text(QStringLiteral("lbl_u_GG")),
             QString::fromStdString(probe.expectedResults(false).u[5]));

    // With the keyboard the same: Up on the lower bar never passes the upper limit.
    probe.bar(kTempMin).setFocus();
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(&probe.bar(kTempMin), Qt::Key_Up);
    }
    QCOMPARE(probe.bar(kTempMin).value(), probe.bar(kTempMax).value());
}

void MainWindowInputsTest::readoutsFollowTheBars_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("texts");
    const QStringList frequency{"lbl_Frequency"};
    QTest::newRow("1 GHz") << kFrequency << 118 << frequency << QStringList{"1.00 GHz"};
    QTest::newRow("900 kHz") << kFrequency << 9 << frequency << QStringList{"900 kHz"};
    const QStringList level{"lbl_Level", "lbl_Power"};
    QTest::newRow("10 dBm") << kLevel << 10 << level << QStringList{"10 dBm", "10 mW"};
    QTest::newRow("-30 dBm") << kLevel << -30 << level << QStringList{"-30 dBm", QStringLiteral("1.0 µW")};
    const QStringList match{"lbl_Return_Loss", "lbl_Reflexions_Faktor", "lbl_VSWR"};
    QTest::newRow("full reflection") << "vsbAnpassung" << 0 << match
                                     << QStringList{"0.0 dB", "1.000", "infinite"};
    QTest::newRow("60 dB return loss")
        << "vsbAnpassung" << 600 << match << QStringList{"60.0 dB", "0.001", "1.002"};
    QTest::newRow("filter 12") << "vsbFilter" << 12 << QStringList{"lbl_Filter"} << QStringList{"12"};
    QTest::newRow("2nd harmonic -10 dBc")
        << "vsbHarmonics2f" << -10 << QStringList{"lbl_Harmonics_2f"} << QStringList{"-10 dBc"};
    QTest::newRow("3rd harmonic -80 dBc")
        << "vsbHarmonics3f" << -80 << QStringList{"lbl_Harmonics_3f"} << QStringList{"-80 dBc"};
}

void MainWindowInputsTest::readoutsFollowTheBars() {
    QFETCH(QString, bar);
    QFETCH(int, position);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, texts);
    Main window;
    const MainProbe probe(window);
    probe.bar(bar).setValue(position);
    QCOMPARE(probe.bar(bar).value(), position);
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QCOMPARE(probe.text(labels[i]), texts[i]);
    }
    const tarvex::ResultTexts expected = probe.expectedResults(false);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_cal")), QString::fromStdString(expected.u[0]));
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(expected.uc));
}

// A click on the up arrow moves one SmallChange towards the top end, a click on the page area above
// the thumb one LargeChange; the top end is the larger number on every bar but the source match.
void MainWindowInputsTest::arrowsMoveTowardsTheTop_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("afterUpArrow");
    QTest::addColumn<int>("afterPageUp");
    QTest::addColumn<int>("afterDownArrow");
    QTest::newRow("frequency") << kFrequency << 1000 << 1001 << 1051 << 1050;
    QTest::newRow("level") << kLevel << 0 << 1 << 6 << 5;
    QTest::newRow("source match, up lowers the return loss") << "vsbAnpassung" << 200 << 199 << 189 << 190;
    QTest::newRow("filter") << "vsbFilter" << 5 << 6 << 7 << 6;
    QTest::newRow("2nd harmonic") << "vsbHarmonics2f" << -40 << -39 << -38 << -39;
    QTest::newRow("lower temperature") << kTempMin << 10 << 11 << 12 << 11;
    QTest::newRow("upper temperature") << kTempMax << 30 << 31 << 32 << 31;
}

void MainWindowInputsTest::arrowsMoveTowardsTheTop() {
    QFETCH(QString, bar);
    QFETCH(int, start);
    QFETCH(int, afterUpArrow);
    QFETCH(int, afterPageUp);
    QFETCH(int, afterDownArrow);
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainProbe probe(window);
    PositionScrollBar& scrollBar = probe.bar(bar);
    scrollBar.setValue(start);
    QTest::mouseClick(&scrollBar, Qt::LeftButton, {}, CentreOf(scrollBar, QStyle::SC_ScrollBarSubLine));
    QCOMPARE(scrollBar.value(), afterUpArrow);
    QTest::mouseClick(&scrollBar, Qt::LeftButton, {}, CentreOf(scrollBar, QStyle::SC_ScrollBarSubPage));
    QCOMPARE(scrollBar.value(), afterPageUp);
    QTest::mouseClick(&scrollBar, Qt::LeftButton, {}, CentreOf(scrollBar, QStyle::SC_ScrollBarAddLine));
    QCOMPARE(scrollBar.value(), afterDownArrow);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(probe.expectedResults(false).uc));
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowInputsTest>(argc, argv);
}

#include "main_window_inputs_test.moc"
