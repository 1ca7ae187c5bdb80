// The settings of the main window: mismatch mode, linearity treatment and result unit from the menu,
// the row captions and the option buttons; unticked contributions; a locale with a decimal comma.

#include "main_window_probe.h"
#include "ui/main_window.h"

using tarvex::uitest::MainProbe;

namespace {

const QString kProbable = QStringLiteral("Mismatch Uncertainty (probable)");
const QString kConservative = QStringLiteral("Mismatch Uncertainty (conservative)");

} // namespace

class MainWindowSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void mismatchMode_data();
    void mismatchMode();
    void linearityTreatment_data();
    void linearityTreatment();
    void unitCaptions_data();
    void unitCaptions();
    void untickedContributionsLeaveTheSum();
    void decimalCommaLocale();
};

void MainWindowSettingsTest::mismatchMode_data() {
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

void MainWindowSettingsTest::mismatchMode() {
    QFETCH(QStringList, steps);
    QFETCH(QString, caption);
    QFETCH(QString, mismatch);
    Main window;
    const MainProbe probe(window);
    probe.perform(steps);
    QCOMPARE(probe.text(QStringLiteral("lbl_IQ_M")), caption);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_M")), mismatch);
    QCOMPARE(probe.label(QStringLiteral("lbl_u_M")).accessibleName(), caption);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")), QString::fromStdString(probe.expectedResults(false).uc));
}

// TS-101 at 18 GHz and 13 dBm has a frequency-dependent linearity error of 11.9842 %, that is
// 10 log10(1.119842) = 0.4916 dB; half of it is 0.2458 dB. In percent of power: 11.34 % and 5.66 %.
void MainWindowSettingsTest::linearityTreatment_data() {
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

void MainWindowSettingsTest::linearityTreatment() {
    QFETCH(QStringList, steps);
    QFETCH(bool, systematic);
    QFETCH(QString, contribution);
    QFETCH(QString, systematicError);
    QFETCH(bool, rowShown);
    Main window;
    const MainProbe probe(window);
    probe.perform(steps);
    QCOMPARE(window.property("flag_fd_lin_sys").toBool(), systematic);
    QCOMPARE(probe.text(QStringLiteral("lbl_u_fd_Lin")), contribution);
    QCOMPARE(probe.text(QStringLiteral("lbl_Systematic_Error")), systematicError);
    QCOMPARE(!probe.label(QStringLiteral("lbl_Systematic_Error")).isHidden(), rowShown);
    QCOMPARE(!probe.label(QStringLiteral("lbl_Systematic_error_txt")).isHidden(), rowShown);
    QCOMPARE(probe.text(QStringLiteral("lbl_uc")),
             QString::fromStdString(probe.expectedResults(systematic).uc));
}

void MainWindowSettingsTest::unitCaptions_data() {
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

void MainWindowSettingsTest::unitCaptions() {
    QFETCH(QStringList, steps);
    QFETCH(QString, expanded);
    QFETCH(QString, systematic);
    Main window;
    const MainProbe probe(window);
    probe.perform(steps);
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

void MainWindowSettingsTest::untickedContributionsLeaveTheSum() {
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

void MainWindowSettingsTest::decimalCommaLocale() {
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

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowSettingsTest>(argc, argv);
}

#include "main_window_settings_test.moc"
