// The main window as it opens, its names, captions, menus and keyboard order, and the settings:
// mismatch mode, linearity treatment, result unit, End and About.

#include "main_window_probe.h"
#include "ui/main_window.h"

#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

using tarvex::uitest::MainProbe;

namespace {

const QString kProbable = QStringLiteral("Mismatch Uncertainty (probable)");
const QString kConservative = QStringLiteral("Mismatch Uncertainty (conservative)");

// Runs a list of user actions, written as "kind:name", on a window.
void Perform(const MainProbe& probe, const QStringList& steps) {
    for (const QString& step : steps) {
        const QString kind = step.section(QLatin1Char(':'), 0, 0);
        const QString name = step.section(QLatin1Char(':'), 1);
        if (kind == QLatin1String("menu")) {
            probe.action(name).trigger();
        } else if (kind == QLatin1String("label")) {
            probe.clickLabel(name);
        } else if (kind == QLatin1String("option")) {
            QTest::mouseClick(&probe.option(name), Qt::LeftButton);
        } else if (kind == QLatin1String("untick")) {
            probe.find<QCheckBox>(name).setChecked(false);
        } else if (kind == QLatin1String("sensor")) {
            probe.select(QStringLiteral("lstMeßkopf"), name);
        } else if (kind == QLatin1String("level")) {
            probe.bar(QStringLiteral("vsbPegel")).setValue(name.toInt());
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
    }
}

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
    void mismatchMode_data();
    void mismatchMode();
    void linearityTreatment_data();
    void linearityTreatment();
    void unitCaptions_data();
    void unitCaptions();
    void untickedContributionsLeaveTheSum();
    void decimalCommaLocale();
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
    Perform(probe, steps);
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

void MainWindowTest::mismatchMode_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("mismatch");
    QTest::newRow("menu conservative")
        << QStringList{"menu:mnuSensor_Match_Conservative"} << kConservative << "0.055 dB";
    QTest::newRow("menu conservative twice")
        << QStringList{"menu:mnuSensor_Match_Conservative", "menu:mnuSensor_Match_Conservative"}
        << kConservative << "0.055 dB";
    QTest::newRow("menu conservative, then probable")
        << QStringList{"menu:mnuSensor_Match_Conservative", "menu:mnuSensor_Match_Probable"} << kProbable
        << "0.043 dB";
    QTest::newRow("label click") << QStringList{"label:lbl_IQ_M"} << kConservative << "0.055 dB";
    QTest::newRow("label clicked twice")
        << QStringList{"label:lbl_IQ_M", "label:lbl_IQ_M"} << kProbable << "0.043 dB";
    QTest::newRow("menu conservative, then label")
        << QStringList{"menu:mnuSensor_Match_Conservative", "label:lbl_IQ_M"} << kProbable << "0.043 dB";
    QTest::newRow("unticked keeps its value")
        << QStringList{"label:lbl_IQ_M", "untick:chk_M"} << kConservative << "0.055 dB";
}

void MainWindowTest::mismatchMode() {
    QFETCH(QStringList, steps);
    QFETCH(QString, caption);
    QFETCH(QString, mismatch);
    Main window;
    const MainProbe probe(window);
    Perform(probe, steps);
    QCOMPARE(probe.text(QStringLiteral("lbl_IQ_M")), caption);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_M")), mismatch);
    QCOMPARE(probe.label(QStringLiteral("lbl_u_M")).accessibleName(), caption);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(probe.expectedResults(false).uc));
}

// TS-101 at 18 GHz and 13 dBm has a frequency-dependent linearity error of 11.9842 %, that is
// 10 log10(1.119842) = 0.4916 dB; half of it is 0.2458 dB. In percent of power: 11.34 % and 5.66 %.
void MainWindowTest::linearityTreatment_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<bool>("systematic");
    QTest::addColumn<QString>("contribution");
    QTest::addColumn<QString>("systematicError");
    QTest::addColumn<bool>("rowShown");
    const QStringList diode{"sensor:TS-101", "level:13"};
    QTest::newRow("statistical") << diode << false << "0.492 dB"
                                 << "0.492 dB" << false;
    QTest::newRow("menu systematic") << diode + QStringList{"menu:mnufd_Lin_sys"} << true << "0.246 dB"
                                     << "0.492 dB" << true;
    QTest::newRow("menu systematic twice")
        << diode + QStringList{"menu:mnufd_Lin_sys", "menu:mnufd_Lin_sys"} << true << "0.246 dB"
        << "0.492 dB" << true;
    QTest::newRow("menu systematic, then statistical")
        << diode + QStringList{"menu:mnufd_Lin_sys", "menu:mnufd_Lin_nonsys"} << false << "0.492 dB"
        << "0.492 dB" << false;
    QTest::newRow("label click") << diode + QStringList{"label:lbl_fd_Lin"} << true << "0.246 dB"
                                 << "0.492 dB" << true;
    QTest::newRow("menu systematic, then label")
        << diode + QStringList{"menu:mnufd_Lin_sys", "label:lbl_fd_Lin"} << false << "0.492 dB"
        << "0.492 dB" << false;
    QTest::newRow("systematic but unticked")
        << diode + QStringList{"menu:mnufd_Lin_sys", "untick:chk_fd_lin"} << true << "0.246 dB"
        << "0.492 dB" << false;
    QTest::newRow("systematic in percent")
        << diode + QStringList{"menu:mnufd_Lin_sys", "option:opt_unit_percent"} << true << "5.66 %"
        << "11.3 %" << true;
}

void MainWindowTest::linearityTreatment() {
    QFETCH(QStringList, steps);
    QFETCH(bool, systematic);
    QFETCH(QString, contribution);
    QFETCH(QString, systematicError);
    QFETCH(bool, rowShown);
    Main window;
    const MainProbe probe(window);
    Perform(probe, steps);
    QCOMPARE(window.property("flag_fd_lin_sys").toBool(), systematic);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_fd_Lin")), contribution);
    QCOMPARE(probe.text(QStringLiteral("lbl_Systematic_Error")), systematicError);
    QCOMPARE(!probe.label(QStringLiteral("lbl_Systematic_Error")).isHidden(), rowShown);
    QCOMPARE(!probe.label(QStringLiteral("lbl_Systematic_error_txt")).isHidden(), rowShown);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")),
             QString::fromStdString(probe.expectedResults(systematic).uc));
}

void MainWindowTest::unitCaptions_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expanded");
    QTest::addColumn<QString>("systematic");
    QTest::newRow("percent") << QStringList{"option:opt_unit_percent"}
                             << "Expanded Uncertainty of Power (k=2)"
                             << "Systematic Error of Power";
    QTest::newRow("percent, then dB") << QStringList{"option:opt_unit_percent", "option:opt_unit_db"}
                                      << "Expanded Uncertainty of Level (k=2)"
                                      << "Systematic Error of Level";
    QTest::newRow("dB again") << QStringList{"option:opt_unit_db"} << "Expanded Uncertainty of Level (k=2)"
                              << "Systematic Error of Level";
}

void MainWindowTest::unitCaptions() {
    QFETCH(QStringList, steps);
    QFETCH(QString, expanded);
    QFETCH(QString, systematic);
    Main window;
    const MainProbe probe(window);
    Perform(probe, steps);
    QCOMPARE(probe.text(QStringLiteral("lbl_MU_txt")), expanded);
    QCOMPARE(probe.text(QStringLiteral("lbl_Systematic_error_txt")), systematic);
    QCOMPARE(probe.label(QStringLiteral("lbl_MU")).accessibleName(), expanded);
    // The row captions stay as they are.
    QCOMPARE(probe.text(QStringLiteral("Label11")), QStringLiteral("Calibration Uncertainty"));
    QCOMPARE(probe.text(QStringLiteral("lbl_IQ_M")), kProbable);
    const bool percent = probe.option(QStringLiteral("opt_unit_percent")).isChecked();
    QVERIFY(percent != probe.option(QStringLiteral("opt_unit_db")).isChecked());
    QCOMPARE(probe.text(QStringLiteral("lbl_u_cal")),
             percent ? QStringLiteral("1.38 %") : QStringLiteral("0.060 dB"));
}

void MainWindowTest::untickedContributionsLeaveTheSum() {
    Main window;
    const MainProbe probe(window);
    probe.box("chk_M").click();
    QCOMPARE(probe.text(QStringLiteral("lbl_u_M")), QStringLiteral("0.043 dB"));
    QVERIFY(probe.text(QStringLiteral("lbl_uc")) < QStringLiteral(" 0.075 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(probe.expectedResults(false).uc));

    // Only the calibration uncertainty left: uc is that contribution itself.
    for (const tarvex::ContributionInfo& info : tarvex::kContributions) {
        probe.box(info.checkBox).setChecked(info.key == tarvex::Contribution::cal);
    }
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QStringLiteral(" 0.060 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_MU")), QStringLiteral("0.12 dB"));

    probe.box("chk_cal").click();
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QStringLiteral(" 0.000 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_MU")), QStringLiteral("0.00 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_u_cal")), QStringLiteral("0.060 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_u_lin")), QStringLiteral("0.010 dB"));
}

void MainWindowTest::decimalCommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Main window;
    const MainProbe probe(window);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_cal")), QStringLiteral("0,060 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QStringLiteral(" 0,075 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_MU")), QStringLiteral("0,15 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_Frequency")), QStringLiteral("18,00 GHz"));
    QCOMPARE(probe.text(QStringLiteral("lbl_Power")), QStringLiteral("1,0 mW"));
    QCOMPARE(probe.text(QStringLiteral("lbl_Reflexions_Faktor")), QStringLiteral("0,100"));
    QTest::mouseClick(&probe.option(QStringLiteral("opt_unit_percent")), Qt::LeftButton);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QStringLiteral(" 1,72 %"));
    // The list item stays the text that the evaluation reads.
    QCOMPARE(probe.list(QStringLiteral("lstResolution")).currentItem()->text(), QStringLiteral("0.01 dB"));
    QCOMPARE(probe.text(QStringLiteral("lbl_u_res")), QStringLiteral("0,07 %"));
    tarvex::uitest::PinLocale();
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
