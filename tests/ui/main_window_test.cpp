// The main window as it opens: read-outs, results, controls, captions, menus, keyboard order and
// accessible names; and its End and About menu items.

#include "main_window_probe.h"
#include "ui/main_window.h"

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using tarvex::uitest::MainProbe;

namespace {

const QString kProbable = QStringLiteral("Mismatch Uncertainty (probable)");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void readoutsAfterStart_data();
    void readoutsAfterStart();
    void resultsAfterStart_data();
    void resultsAfterStart();
    void controlsAfterStart();
    void captions_data();
    void captions();
    void menus();
    void keyboardOrder();
    void accessibleNames_data();
    void accessibleNames();
    void aboutBoxOpensOnceAndStaysNonModal();
    void endClosesWindowsAndQuits();
};

void MainWindowTest::readoutsAfterStart_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    QTest::newRow("frequency") << "lbl_Frequency"
                               << "18.00 GHz";
    QTest::newRow("level") << "lbl_Level"
                           << "0 dBm";
    QTest::newRow("power") << "lbl_Power"
                           << "1.0 mW";
    QTest::newRow("return loss") << "lbl_Return_Loss"
                                 << "20.0 dB";
    QTest::newRow("reflection coefficient") << "lbl_Reflexions_Faktor"
                                            << "0.100";
    QTest::newRow("VSWR") << "lbl_VSWR"
                          << "1.222";
    QTest::newRow("filter") << "lbl_Filter"
                            << "7";
    QTest::newRow("2nd harmonic") << "lbl_Harmonics_2f"
                                  << "-40 dBc";
    QTest::newRow("3rd harmonic") << "lbl_Harmonics_3f"
                                  << "-50 dBc";
    QTest::newRow("lower temperature") << "lbl_Temp_Min" << QStringLiteral("22 °C");
    QTest::newRow("upper temperature") << "lbl_Temp_Max" << QStringLiteral("24 °C");
}

void MainWindowTest::readoutsAfterStart() {
    QFETCH(QString, label);
    QFETCH(QString, expected);
    Main window;
    QCOMPARE(MainProbe(window).text(label), expected);
}

void MainWindowTest::resultsAfterStart_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("expected");
    const QStringList rows{"lbl_u_cal",     "lbl_u_noise",  "lbl_u_drift",       "lbl_u_lin",
                           "lbl_u_M",       "lbl_u_temp",   "lbl_u_GG",          "lbl_u_res",
                           "lbl_u_P_Coeff", "lbl_u_fd_Lin", "lbl_u_Harmonics2f", "lbl_u_Harmonics3f",
                           "lbl_uc",        "lbl_MU"};
    QTest::newRow("dB") << QStringList() << rows
                        << QStringList{"0.060 dB", "0.000 dB", "0.000 dB",  "0.010 dB", "0.043 dB",
                                       "0.000 dB", "0.008 dB", "0.003 dB",  "0.000 dB", "0.000 dB",
                                       "0.000 dB", "0.000 dB", " 0.075 dB", "0.15 dB"};
    QTest::newRow("percent") << QStringList{"option:opt_unit_percent"} << rows
                             << QStringList{"1.38 %", "0.00 %", "0.00 %",  "0.23 %", "0.98 %",
                                            "0.00 %", "0.17 %", "0.07 %",  "0.00 %", "0.00 %",
                                            "0.00 %", "0.00 %", " 1.72 %", "3.4 %"};
    QTest::newRow("percent and back to dB")
        << QStringList{"option:opt_unit_percent", "option:opt_unit_db"}
        << QStringList{"lbl_u_cal", "lbl_uc", "lbl_MU"} << QStringList{"0.060 dB", " 0.075 dB", "0.15 dB"};
    QTest::newRow("conservative mismatch")
        << QStringList{"menu:mnuSensor_Match_Conservative"} << QStringList{"lbl_u_M", "lbl_uc"}
        << QStringList{"0.055 dB", " 0.083 dB"};
}

void MainWindowTest::resultsAfterStart() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, expected);
    Main window;
    const MainProbe probe(window);
    probe.perform(steps);
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QCOMPARE(probe.text(labels[i]), expected[i]);
    }
}

void MainWindowTest::controlsAfterStart() {
    Main window;
    const MainProbe probe(window);
    QCOMPARE(window.windowTitle(), QStringLiteral("Measurement Uncertainty Analysis Tarvex, Rev. 1.0"));
    QVERIFY(!window.isVisible()); // the splash shows it
    QCOMPARE(probe.list(QStringLiteral("lstMeßkopf")).count(), 18);
    QCOMPARE(probe.list(QStringLiteral("lstMeßkopf")).item(0)->text(), QStringLiteral("TS-101"));
    QCOMPARE(probe.list(QStringLiteral("lstMeßkopf")).currentItem()->text(), QStringLiteral("TS-301"));
    QCOMPARE(probe.list(QStringLiteral("lstGrundgerät")).currentItem()->text(), QStringLiteral("BX-20"));
    QCOMPARE(probe.list(QStringLiteral("lstResolution")).currentItem()->text(), QStringLiteral("0.01 dB"));
    QCOMPARE(probe.list(QStringLiteral("lstResolution")).item(2)->text(), QStringLiteral("0.001 dB"));

    struct BarState {
        const char* name;
        int top;
        int bottom;
        int value;
        int largeChange;
    };
    const BarState bars[] = {
        {"vsbFrequenz", 1818, 0, 1818, 50},   {"vsbPegel", 20, -30, 0, 5},
        {"vsbAnpassung", 0, 600, 200, 10},    {"vsbFilter", 12, 0, 7, 1},
        {"vsbHarmonics2f", -10, -80, -40, 1}, {"vsbHarmonics3f", -10, -80, -50, 1},
        {"vsbTemp_min", 50, 0, 22, 1},        {"vsbTemp_max", 50, 0, 24, 1},
    };
    for (const BarState& expected : bars) {
        const PositionScrollBar& bar = probe.bar(QString::fromLatin1(expected.name));
        QVERIFY2(bar.Min() == expected.top && bar.Max() == expected.bottom, expected.name);
        QVERIFY2(bar.value() == expected.value, expected.name);
        QVERIFY2(bar.singleStep() == 1 && bar.pageStep() == expected.largeChange, expected.name);
    }
    for (const tarvex::ContributionInfo& info : tarvex::kContributions) {
        QVERIFY2(probe.box(info.checkBox).isChecked(), info.checkBox.data());
    }
    QVERIFY(probe.option(QStringLiteral("opt_unit_db")).isChecked());
    QVERIFY(!probe.option(QStringLiteral("opt_unit_percent")).isChecked());
    QCOMPARE(probe.text(QStringLiteral("lbl_IQ_M")), kProbable);
    QCOMPARE(window.property("flag_fd_lin_sys").toBool(), false);
    QVERIFY(probe.label(QStringLiteral("lbl_Systematic_error_txt")).isHidden());
    QVERIFY(probe.label(QStringLiteral("lbl_Systematic_Error")).isHidden());
}

void MainWindowTest::captions_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("expected");
    // Texts that are easy to get subtly wrong: two blanks, the label that appears twice in the drawing,
    // captions that change later, and the unit headings.
    const char* rows[][2] = {
        {"lblTemp_min", "Lower Temp.  Limit"},
        {"LblRflexionFaktor", "Reflection Coefficient"},
        {"Label28", "Harmonics Effect 2f"},
        {"Label28_2", "Harmonics Effect 3f"},
        {"lbl_IQ_M", "Mismatch Uncertainty (probable)"},
        {"lbl_MU_txt", "Expanded Uncertainty of Level (k=2)"},
        {"lbl_Systematic_error_txt", "Systematic Error of Level"},
        {"Label4", "dB"},
        {"Label5", "%"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
}

void MainWindowTest::captions() {
    QFETCH(QString, label);
    QFETCH(QString, expected);
    Main window;
    QCOMPARE(MainProbe(window).text(label), expected);
}

void MainWindowTest::menus() {
    Main window;
    const QList<QAction*> titles = window.menuBar()->actions();
    QCOMPARE(titles.size(), 3);
    const QStringList expected[] = {
        {"mnuFile", "&File", "mnuEnd", "&End"},
        {"mnuMenue", "&Settings", "mnuSensor_Match_Conservative", "Sensor Match (&conservative)",
         "mnuSensor_Match_Probable", "Sensor Match (&probable)", "mnufd_Lin_sys",
         "Frequency dep. Linearity Error: systematic", "mnufd_Lin_nonsys",
         "Frequency dep. Linearity Error: statistical"},
        {"mnu_Info", "&Info", "frmInfo", "About"},
    };
    for (int i = 0; i < 3; ++i) {
        const QMenu* menu = titles[i]->menu();
        QStringList shown{menu->objectName(), menu->title()};
        for (const QAction* item : menu->actions()) {
            QVERIFY(!item->isCheckable());
            shown << item->objectName() << item->text();
        }
        QCOMPARE(shown, expected[i]);
    }
}

void MainWindowTest::keyboardOrder() {
    Main window;
    const QStringList expected{
        "lstGrundgerät",   "vsbAnpassung",    "vsbPegel",       "vsbFrequenz",   "lstMeßkopf",
        "vsbFilter",       "vsbHarmonics3f",  "vsbHarmonics2f", "lstResolution", "vsbTemp_max",
        "vsbTemp_min",     "chk_cal",         "chk_noise",      "chk_drift",     "chk_M",
        "chk_lin",         "chk_Res",         "chk_fd_lin",     "chk_P_coeff",   "chk_GG",
        "chk_Harmonics2f", "chk_Harmonics3f", "chk_Temp",       "opt_unit_db",   "opt_unit_percent"};
    QWidget* first = &MainProbe(window).find<QWidget>(expected.front());
    QStringList order;
    QWidget* widget = first;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order << widget->objectName();
        }
        widget = widget->nextInFocusChain();
    } while (widget != first && order.size() < expected.size());
    QCOMPARE(order, expected);
}

void MainWindowTest::accessibleNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    const char* rows[][2] = {
        {"lstMeßkopf", "Power Sensor"},
        {"vsbAnpassung", "Source Match"},
        {"lbl_Power", "Power"},
        {"chk_cal", "Calibration Uncertainty"},
        {"lbl_u_Harmonics3f", "Harmonics Effect 3f"},
        {"lbl_uc", "Combined Standard Uncertainty"},
        {"lbl_MU", "Expanded Uncertainty of Level (k=2)"},
        {"lbl_u_M", "Mismatch Uncertainty (probable)"},
    };
    for (const auto& row : rows) {
        QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1]);
    }
}

void MainWindowTest::accessibleNames() {
    QFETCH(QString, control);
    QFETCH(QString, expected);
    Main window;
    QCOMPARE(MainProbe(window).find<QWidget>(control).accessibleName(), expected);
}

void MainWindowTest::aboutBoxOpensOnceAndStaysNonModal() {
    Main window;
    window.show();
    const MainProbe probe(window);
    probe.action(QStringLiteral("frmInfo")).trigger();
    probe.action(QStringLiteral("frmInfo")).trigger();
    const QList<QDialog*> boxes = window.findChildren<QDialog*>(QStringLiteral("About"));
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.front()->isVisible());
    QVERIFY(!boxes.front()->isModal());
    QVERIFY(window.isEnabled());
}

void MainWindowTest::endClosesWindowsAndQuits() {
    Main window;
    window.show();
    const MainProbe probe(window);
    probe.action(QStringLiteral("frmInfo")).trigger();
    bool quitInTime = true;
    QTimer::singleShot(0, &window, [&probe] { probe.action(QStringLiteral("mnuEnd")).trigger(); });
    QTimer fallback;
    fallback.setSingleShot(true);
    connect(&fallback, &QTimer::timeout, this, [&quitInTime] {
        quitInTime = false;
        QCoreApplication::exit(1);
    });
    fallback.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(quitInTime);
    QVERIFY(!window.isVisible());
    QVERIFY(QApplication::topLevelWidgets().size() > 0);
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        QVERIFY2(!top->isVisible(), qPrintable(top->objectName()));
    }
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
