// The main window driven through its controls: the start state, the sensor ranges and what a sensor
// change does to the positions, the temperature interlock, the settings, the widest read-outs, and a
// long random session.

#include "tests/ui/main_window_probe.h"
#include "ui/main/main_window.h"

#include "budget/batch_columns.h"

#include <QFrame>
#include <QSignalSpy>

#include <array>
#include <random>
#include <tuple>

using tarvex::uitest::MainProbe;
using tarvex::uitest::PartCentre;

namespace {

const QString kProbable = QStringLiteral("lbl_IQ_M=Mismatch Uncertainty (probable)");
const QString kConservative = QStringLiteral("lbl_IQ_M=Mismatch Uncertainty (conservative)");
const QString kLevel = QStringLiteral(
    "lbl_MU_txt=Expanded Uncertainty of Level (k=2);lbl_Systematic_error_txt=Systematic Error of Level");
const QString kPower = QStringLiteral(
    "lbl_MU_txt=Expanded Uncertainty of Power (k=2);lbl_Systematic_error_txt=Systematic Error of Power");

// A setup as the batch columns write it, for messages.
QString Described(const tarvex::MeasurementSetup& setup) {
    QStringList fields;
    for (const std::string& field : tarvex::BatchInputFields(setup, "")) {
        fields << QString::fromStdString(field);
    }
    return fields.join(QLatin1Char(','));
}

// Steps as MainProbe::perform takes them and expectations as MainProbe::unmet takes them, ";"-separated.
void Row(const char* tag, const QString& steps, const QString& expected) {
    QTest::newRow(tag) << steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)
                       << expected.split(QLatin1Char(';'));
}

// Visible labels whose text (or with word wrap, one of its words) is wider or taller than their room.
QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        const bool wrap = label->wordWrap();
        const bool indented = label->indent() > 0 && (label->alignment() & (Qt::AlignLeft | Qt::AlignRight));
        const int room =
            label->contentsRect().width() - 2 * label->margin() - (indented ? label->indent() : 0);
        bool fits = (wrap ? label->heightForWidth(label->width()) : metrics.height()) <=
                    (wrap ? label->height() : label->contentsRect().height());
        for (const QString& part :
             wrap ? label->text().split(QLatin1Char(' ')) : QStringList{label->text()}) {
            fits = fits && metrics.horizontalAdvance(part) <= room;
        }
        if (label->isVisibleTo(&window) && !fits) {
            clipped << label->objectName() + QStringLiteral(" clips \"") + label->text() + QLatin1Char('"');
        }
    }
    return clipped;
}

// Visible controls on the window or in the result table that leave the window or overlap by more than
// the one border line that neighbouring table cells share.
QStringList MisplacedControls(const QWidget& client) {
    const QWidget& table = *client.findChild<QFrame*>(QStringLiteral("Frame1"));
    QWidgetList controls;
    for (QWidget* widget : client.findChildren<QWidget*>(Qt::FindDirectChildrenOnly) +
                               table.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (widget != &table && widget->isVisibleTo(&client)) {
            controls << widget;
        }
    }
    const auto area = [&client](const QWidget* widget) {
        return QRect(widget->mapTo(&client, QPoint()), widget->size());
    };
    QStringList wrong;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        if (!client.rect().contains(area(controls[i]))) {
            wrong << controls[i]->objectName() + QStringLiteral(" leaves the window");
        }
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect common = area(controls[i]).intersected(area(controls[j]));
            if (common.width() > 1 && common.height() > 1) {
                wrong << controls[i]->objectName() + QStringLiteral(" overlaps ") + controls[j]->objectName();
            }
        }
    }
    return wrong;
}

// What the random session clicks or triggers besides the bars and lists.
const QStringList kClicks =
    QStringLiteral(
        "click:chk_cal click:chk_drift click:chk_noise click:chk_lin click:chk_Temp click:chk_GG "
        "click:chk_Res click:chk_M click:chk_P_coeff click:chk_fd_lin click:chk_Harmonics2f "
        "click:chk_Harmonics3f click:lbl_IQ_M click:lbl_fd_Lin click:opt_unit_db click:opt_unit_percent "
        "menu:mnuSensor_Match_Conservative menu:mnuSensor_Match_Probable menu:mnufd_Lin_sys "
        "menu:mnufd_Lin_nonsys")
        .split(QLatin1Char(' '));
const std::array kParts{QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubPage,
                        QStyle::SC_ScrollBarAddPage};
const std::array kKeys{Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { tarvex::uitest::PinLocale(); }
    void shows_data();
    void shows();
    void randomSession();
    void appliesSetups();
};

void MainWindowTest::shows_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    Row("percent", "click:opt_unit_percent", kPower + ";lbl_u_cal=1.38 %;lbl_MU=3.4 %");
    Row("percent, then dB", "click:opt_unit_percent;click:opt_unit_db", kLevel + ";lbl_u_cal=0.060 dB");
    Row("conservative", "menu:mnuSensor_Match_Conservative",
        kConservative + ";lbl_u_M=0.055 dB;lbl_uc= 0.083 dB");

    // A sensor change moves a position outside the new range to the nearer end and keeps one inside.
    Row("TS-103 pulls 18 GHz down", "lstMeßkopf=TS-103", "lbl_Frequency=2.50 GHz");
    Row("TS-301 afterwards keeps 2.5 GHz", "lstMeßkopf=TS-103;lstMeßkopf=TS-301", "lbl_Frequency=2.50 GHz");
    Row("TS-301 pulls 40 GHz down", "lstMeßkopf=TS-305;vsbFrequenz=4018;lstMeßkopf=TS-301",
        "lbl_Frequency=18.00 GHz");
    Row("TS-101 lifts DC", "vsbFrequenz=0;lstMeßkopf=TS-101", "lbl_Frequency=10 MHz");
    Row("TS-203 lifts -30 dBm", "vsbPegel=-30;lstMeßkopf=TS-203", "lbl_Level=0 dBm;lbl_Power=1.0 mW");
    Row("TS-301 pulls 45 dBm down", "lstMeßkopf=TS-304;vsbPegel=45;lstMeßkopf=TS-301",
        "lbl_Level=20 dBm;lbl_Power=100 mW");

    // The widest read-outs and captions, for the layout.
    const QString longCaptions =
        "click:opt_unit_percent;menu:mnuSensor_Match_Conservative;menu:mnufd_Lin_sys;";
    Row("45 dBm, full reflection", "lstMeßkopf=TS-304;vsbPegel=45;vsbAnpassung=0;menu:mnufd_Lin_sys",
        "lbl_Power=31623 mW;lbl_Return_Loss=0.0 dB;lbl_Reflexions_Faktor=1.000;lbl_VSWR=infinite;row=shown");
    Row("40 GHz, 60 dB return loss", longCaptions + "lstMeßkopf=TS-305;vsbFrequenz=4018;vsbAnpassung=600",
        "lbl_Frequency=40.00 GHz;lbl_Return_Loss=60.0 dB;lbl_Reflexions_Faktor=0.001;lbl_VSWR=1.002;" +
            kPower);
    Row("990 MHz, -67 dBm, strong harmonics",
        longCaptions + "lstMeßkopf=TS-101;vsbFrequenz=117;vsbPegel=-67;vsbFilter=12;vsbHarmonics2f=-10;"
                       "vsbHarmonics3f=-80;vsbTemp_min=0;vsbTemp_max=50",
        "lbl_Frequency=990 MHz;lbl_Level=-67 dBm;lbl_Power=200 pW;lbl_Filter=12;lbl_Harmonics_2f=-10 dBc;"
        "lbl_Harmonics_3f=-80 dBc;lbl_Temp_Min=0 °C;lbl_Temp_Max=50 °C");
    Row("900 kHz, -70 dBm", "lstMeßkopf=TS-104;vsbFrequenz=9;vsbPegel=-70",
        "lbl_Frequency=900 kHz;lbl_Level=-70 dBm;lbl_Power=100 pW");

    // The lower temperature limit never passes the upper one, nor the upper the lower; equal is allowed.
    Row("lower one above upper", "vsbTemp_min=25", "lbl_Temp_Min=24 °C;lbl_Temp_Max=24 °C");
    Row("lower up to upper", "vsbTemp_min=24", "lbl_Temp_Min=24 °C;lbl_Temp_Max=24 °C");
    Row("upper one below lower", "vsbTemp_max=21", "lbl_Temp_Min=22 °C;lbl_Temp_Max=22 °C");
    Row("upper down to lower", "vsbTemp_max=22", "lbl_Temp_Min=22 °C;lbl_Temp_Max=22 °C");

    // The mismatch mode from the menu and from clicks on its row caption.
    Row("conservative, then probable", "menu:mnuSensor_Match_Conservative;menu:mnuSensor_Match_Probable",
        kProbable);
    Row("caption click", "click:lbl_IQ_M", kConservative + ";lbl_u_M=0.055 dB");
    Row("conservative, then caption click", "menu:mnuSensor_Match_Conservative;click:lbl_IQ_M", kProbable);
    Row("conservative, unticked", "click:lbl_IQ_M;click:chk_M", kConservative);

    // TS-101 at 18 GHz and 13 dBm: linearity error 11.98 % = 0.492 dB, half of it when systematic.
    const QString diode = "lstMeßkopf=TS-101;vsbPegel=13;";
    const QString statistical = "sys=false;lbl_u_fd_Lin=0.492 dB;lbl_Systematic_Error=0.492 dB;row=hidden";
    const QString systematic = "sys=true;lbl_u_fd_Lin=0.246 dB;lbl_Systematic_Error=0.492 dB;row=shown";
    Row("statistical", diode, statistical);
    Row("systematic", diode + "menu:mnufd_Lin_sys", systematic);
    Row("linearity caption click", diode + "click:lbl_fd_Lin", systematic);
}

// After the steps the window shows the expected texts, every result is the budget of its controls, all
// texts fit and the controls keep their places.
void MainWindowTest::shows() {
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainProbe probe(window);
    probe.perform(steps);
    const QStringList wrong = probe.unmet(expected) + probe.wrongResults(window.FdLinSystematic()) +
                              ClippedTexts(window) + MisplacedControls(*window.centralWidget());
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
}

// A long session of random actions with a fixed seed: clicks, drags and keys on every bar, list
// selections, ticks, menu items, caption clicks and unit buttons. After every action the window shows
// exactly the budget of its controls, its positions lie in range and its temperatures in order.
void MainWindowTest::randomSession() {
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainProbe probe(window);
    std::mt19937 random(20240611);
    const auto pick = [&random](qsizetype count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random);
    };
    const QList<PositionScrollBar*> bars = window.findChildren<PositionScrollBar*>();
    const QList<QListWidget*> lists = window.findChildren<QListWidget*>();
    bool fdLinSystematic = false; // as chosen by the session
    const auto act = [&]() -> QString {
        PositionScrollBar& bar = *bars[pick(bars.size())];
        const QString name = bar.objectName();
        const QPoint thumb = PartCentre(bar, QStyle::SC_ScrollBarSlider);
        const QPoint end = thumb + QPoint(0, pick(161) - 80); // for a drag, also beyond either end
        switch (pick(5)) {
        case 0: {
            const auto move = static_cast<std::size_t>(pick(kParts.size() + kKeys.size()));
            if (move < kParts.size()) {
                QTest::mouseClick(&bar, Qt::LeftButton, {}, PartCentre(bar, kParts[move]));
            } else {
                QTest::keyClick(&bar, kKeys[move - kParts.size()]);
            }
            return QStringLiteral("arrow, page or key %1 on %2").arg(move).arg(name);
        }
        case 1:
            QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
            QTest::mouseMove(&bar, (thumb + end) / 2);
            QTest::mouseMove(&bar, end);
            QTest::mouseRelease(&bar, Qt::LeftButton, {}, end);
            return QStringLiteral("drag %1 by %2 px").arg(name).arg(end.y() - thumb.y());
        case 2: {
            QListWidget& list = *lists[pick(lists.size())];
            QListWidgetItem* item = list.item(pick(list.count()));
            list.scrollToItem(item);
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
            return QStringLiteral("select ") + item->text();
        }
        default:
            const QString step = kClicks[pick(kClicks.size())];
            probe.perform({step});
            if (step.startsWith(QLatin1String("menu:mnufd_Lin"))) {
                fdLinSystematic = step.endsWith(QLatin1String("_sys"));
            } else if (step == QLatin1String("click:lbl_fd_Lin")) {
                fdLinSystematic = !fdLinSystematic;
            }
            return step;
        }
    };
    int rowShown = 0;
    for (int step = 1; step <= 2500; ++step) {
        const QString action = act();
        const QStringList wrong = probe.wrongResults(fdLinSystematic);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("after action %1, %2: %3")
                                                 .arg(step)
                                                 .arg(action, wrong.join(QStringLiteral("; ")))));
        rowShown += probe.rowShown() ? 1 : 0;
    }
    QVERIFY2(rowShown > 100 && rowShown < 2400, "the session should show and hide the systematic row");
}

// The window starts in the start setup and shows any setup it is given, with every read-out and result
// written and one evaluation per setup; a value between positions goes to the nearest one.
void MainWindowTest::appliesSetups() {
    Main window;
    const MainProbe probe(window);
    QVERIFY2(window.ReadSetup() == tarvex::StartSetup(), qPrintable(Described(window.ReadSetup())));
    QSignalSpy evaluations(&window, &Main::evaluated);
    std::mt19937 random(20261207);
    for (int i = 0; i < 300; ++i) {
        const tarvex::MeasurementSetup setup = tarvex::uitest::RandomSetup(random);
        evaluations.clear();
        window.ApplySetup(setup);
        const QStringList wrong = probe.wrongResults(setup.fdLinSystematic) + probe.wrongReadouts();
        QVERIFY2(window.ReadSetup() == setup && wrong.isEmpty() && evaluations.size() == 1,
                 qPrintable(Described(setup) + QStringLiteral(" shows ") + Described(window.ReadSetup()) +
                            QStringLiteral("; ") + wrong.join(QStringLiteral("; "))));
    }
    const std::tuple<double, double, double, double> between[] = {
        // frequency GHz asked, shown; return loss dB asked, shown
        {1.234, 1.23, 20.04, 20.0},
        {0.00004, 0.0, 0.06, 0.1},
        {0.0096, 0.01, 59.96, 60.0},
    };
    for (const auto& [frequency, shownFrequency, returnLoss, shownReturnLoss] : between) {
        tarvex::MeasurementSetup setup = tarvex::StartSetup();
        setup.frequency = frequency;
        setup.returnLossDb = returnLoss;
        window.ApplySetup(setup);
        QCOMPARE(window.ReadSetup().frequency, shownFrequency);
        QCOMPARE(window.ReadSetup().returnLossDb, shownReturnLoss);
    }
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowTest>(argc, argv);
}

#include "main_window_test.moc"
