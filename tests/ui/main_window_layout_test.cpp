// The main window's drawing: every text fits its control in every state, no two controls overlap
// except table cells that share a border line, the table keeps its columns and row pitch, and the
// window has one fixed size in the project's font.

#include "layout_checks.h"
#include "main_window_probe.h"
#include "ui/main_window.h"

#include <QFontInfo>

using tarvex::uitest::ClippedTexts;
using tarvex::uitest::MainProbe;
using tarvex::uitest::OverlappingControls;

class MainWindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void textsFitAndNothingOverlaps_data();
    void textsFitAndNothingOverlaps();
    void tableCellsShareTheirBorders();
    void fixedSizeInTheProjectFont();
};

void MainWindowLayoutTest::textsFitAndNothingOverlaps_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::newRow("start") << QStringList();
    QTest::newRow("percent") << QStringList{"percent"};
    QTest::newRow("conservative") << QStringList{"conservative"};
    QTest::newRow("percent, conservative, systematic")
        << QStringList{"percent", "conservative", "systematic"};
    QTest::newRow("dB, conservative, systematic") << QStringList{"conservative", "systematic"};
    // The widest read-outs: the highest power, the highest frequency, a three-digit MHz, the lowest level.
    QTest::newRow("TS-304 at 45 dBm") << QStringList{"sensor=TS-304", "vsbPegel=45", "vsbAnpassung=0"};
    QTest::newRow("TS-305 at 40 GHz") << QStringList{"sensor=TS-305", "vsbFrequenz=4018", "percent"};
    QTest::newRow("TS-101 at 990 MHz and -67 dBm")
        << QStringList{"sensor=TS-101", "vsbFrequenz=117", "vsbPegel=-67", "vsbFilter=0", "percent"};
    QTest::newRow("TS-104 at 900 kHz and -70 dBm")
        << QStringList{"sensor=TS-104", "vsbFrequenz=9", "vsbPegel=-70"};
    QTest::newRow("TS-101 strong harmonics, systematic")
        << QStringList{"sensor=TS-101", "vsbPegel=13",   "vsbHarmonics2f=-10", "vsbHarmonics3f=-10",
                       "systematic",    "vsbTemp_min=0", "vsbTemp_max=50"};
}

void MainWindowLayoutTest::textsFitAndNothingOverlaps() {
    QFETCH(QStringList, steps);
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainProbe probe(window);
    for (const QString& step : steps) {
        if (step == QLatin1String("percent")) {
            probe.option(QStringLiteral("opt_unit_percent")).click();
        } else if (step == QLatin1String("conservative")) {
            probe.action(QStringLiteral("mnuSensor_Match_Conservative")).trigger();
        } else if (step == QLatin1String("systematic")) {
            probe.action(QStringLiteral("mnufd_Lin_sys")).trigger();
        } else if (step.startsWith(QLatin1String("sensor="))) {
            probe.select(QStringLiteral("lstMeßkopf"), step.section(QLatin1Char('='), 1));
        } else {
            probe.bar(step.section(QLatin1Char('='), 0, 0))
                .setValue(step.section(QLatin1Char('='), 1).toInt());
        }
    }
    const QStringList clipped = ClippedTexts(window);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
    const QStringList overlaps = OverlappingControls(window);
    QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(QStringLiteral("; "))));
}

// Captions, values and check boxes keep their columns; neighbouring cells share one border line, and
// the contribution rows follow each other at one pitch in the on-screen order.
void MainWindowLayoutTest::tableCellsShareTheirBorders() {
    Main window;
    const MainProbe probe(window);
    const QStringList captions{"Label11", "Label12", "Label13", "Label14",    "lbl_IQ_M", "Label16",
                               "Label17", "Label18", "Label1",  "lbl_fd_Lin", "Label28",  "Label28_2"};
    const QStringList values{"lbl_u_cal",     "lbl_u_noise",  "lbl_u_drift",       "lbl_u_lin",
                             "lbl_u_M",       "lbl_u_temp",   "lbl_u_GG",          "lbl_u_res",
                             "lbl_u_P_Coeff", "lbl_u_fd_Lin", "lbl_u_Harmonics2f", "lbl_u_Harmonics3f"};
    const QStringList boxes{"chk_cal",     "chk_noise",  "chk_drift",       "chk_lin",
                            "chk_M",       "chk_Temp",   "chk_GG",          "chk_Res",
                            "chk_P_coeff", "chk_fd_lin", "chk_Harmonics2f", "chk_Harmonics3f"};
    const QRect header = probe.label(QStringLiteral("lbl_Standard_Uncertainty")).geometry();
    QCOMPARE(probe.label(QStringLiteral("lbl_Influence_Quantity")).geometry().right(), header.left());
    QCOMPARE(header.bottom(), probe.label(values.front()).geometry().top());
    const int pitch = probe.label(values[1]).y() - probe.label(values[0]).y();
    QVERIFY(pitch > 0);
    for (qsizetype row = 0; row < values.size(); ++row) {
        const QRect caption = probe.label(captions[row]).geometry();
        const QRect value = probe.label(values[row]).geometry();
        const QRect box = probe.find<QCheckBox>(boxes[row]).geometry();
        QCOMPARE(caption.right(), value.left());
        QCOMPARE(caption.top(), value.top());
        QCOMPARE(caption.x(), probe.label(QStringLiteral("lbl_Influence_Quantity")).x());
        QCOMPARE(value.x(), header.x());
        QCOMPARE(box.top(), value.top());
        QVERIFY(box.left() > value.right());
        if (row > 0) {
            const QRect above = probe.label(values[row - 1]).geometry();
            QCOMPARE(value.top() - above.top(), pitch);
            QCOMPARE(above.bottom(), value.top());
            QCOMPARE(probe.label(captions[row - 1]).geometry().x(), caption.x());
        }
    }
    const QRect expanded = probe.label(QStringLiteral("lbl_MU_txt")).geometry();
    QCOMPARE(expanded.right(), probe.label(QStringLiteral("lbl_MU")).geometry().left());
    QCOMPARE(expanded.bottom(), probe.label(QStringLiteral("lbl_Systematic_error_txt")).geometry().top());
    QCOMPARE(probe.label(QStringLiteral("lbl_MU")).geometry().bottom(),
             probe.label(QStringLiteral("lbl_Systematic_Error")).geometry().top());
    QCOMPARE(probe.label(QStringLiteral("Label19")).geometry().right(),
             probe.label(QStringLiteral("lbl_uc")).x());
}

void MainWindowLayoutTest::fixedSizeInTheProjectFont() {
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.size(), window.minimumSize());
    QCOMPARE(QFontInfo(window.font()).family(), QStringLiteral("Liberation Sans"));
    const QWidget* client = window.centralWidget();
    for (const QWidget* child : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QVERIFY2(client->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowLayoutTest>(argc, argv);
}

#include "main_window_layout_test.moc"
