// What assistive technology gets from the windows: values of labels and scroll bars through Qt's
// accessibility API, whether or not it asked before they changed; one announcement per
// changed value and evaluation; the setting captions; explanations and help; the scroll bars' focus
// frame; readable text in a dark palette.

#include "main_window_probe.h"

#include "ui/about.h"
#include "ui/accessibility.h"
#include "ui/help_window.h"
#include "ui/main_window.h"

#include <QAccessible>
#include <QMenu>
#include <QTextBrowser>

using tarvex::uitest::FindControl;
using tarvex::uitest::FromView;
using tarvex::uitest::MainProbe;

namespace {

// Every DescriptionChanged event, by object, while a test records them.
QHash<QObject*, int>& Announced() {
    static QHash<QObject*, int> announced;
    return announced;
}

void Record(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged) {
        ++Announced()[event->object()];
    }
}

double Luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Announced().clear(); }

    void valuesWhetherOrNotActiveAtStart_data();
    void valuesWhetherOrNotActiveAtStart();
    void changesAnnouncedOncePerEvaluation();
    void settingCaptionsSayModeAndClick();
    void explanationsAndHelp();
    void focusedBarIsFramed();
    void readableInDarkPalette();
};

void AccessibilityTest::valuesWhetherOrNotActiveAtStart_data() {
    QTest::addColumn<bool>("queriedAtStart");
    QTest::newRow("first asked after a change") << false;
    QTest::newRow("asked at start, as by a running screen reader") << true;
}

// Name and value of every bar and of every label that shows a value, after a change of frequency and
// unit. Interfaces made before the change (and kept by Qt) must report the new values.
void AccessibilityTest::valuesWhetherOrNotActiveAtStart() {
    QFETCH(bool, queriedAtStart);
    Main window;
    if (queriedAtStart) {
        for (QObject* object : window.findChildren<QWidget*>()) {
            QVERIFY(QAccessible::queryAccessibleInterface(object) != nullptr);
        }
    }
    MainProbe(window).perform({QStringLiteral("vsbFrequenz=1018"), QStringLiteral("click:opt_unit_percent")});
    const QStringList expected{
        "vsbFrequenz|Frequency|10.00 GHz",
        "vsbPegel|Level|0 dBm",
        "vsbAnpassung|Source Match|20.0 dB",
        "vsbFilter|Filter No.|7",
        "vsbHarmonics2f|Harmonics 2f|-40 dBc",
        "vsbHarmonics3f|Harmonics 3f|-50 dBc",
        "vsbTemp_min|Lower Temp. Limit|22 °C",
        "vsbTemp_max|Upper Temp. Limit|24 °C",
        "lbl_Frequency|Frequency|10.00 GHz",
        "lbl_Power|Power|1.0 mW",
        "lbl_VSWR|VSWR|1.222",
        "lbl_u_cal|Calibration Uncertainty|0.81 %",
        "lbl_MU|Expanded Uncertainty of Power (k=2)|2.3 %",
    };
    for (const QString& row : expected) {
        const QStringList cells = row.split(QLatin1Char('|'));
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(FindControl<QWidget>(window, cells[0]));
        QCOMPARE(iface->text(QAccessible::Name), cells[1]);
        QCOMPARE(iface->text(QAccessible::Value), cells[2]);
        QCOMPARE(iface->text(QAccessible::Description), cells[2]);
    }
    // Every value label: its caption as name, its text as value.
    int valueLabels = 0;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (ShowsValue(*label)) {
            ++valueLabels;
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
            QVERIFY2(iface->text(QAccessible::Value) == label->text() &&
                         iface->text(QAccessible::Name) == label->accessibleName() &&
                         !label->accessibleName().isEmpty(),
                     qPrintable(label->objectName()));
        }
    }
    QCOMPARE(valueLabels, 11 + 15); // the read-outs and the result labels
    auto* bar = FindControl<QScrollBar>(window, QStringLiteral("vsbFrequenz"));
    QCOMPARE(QAccessible::queryAccessibleInterface(bar)->valueInterface()->currentValue().toInt(), 1018);
}

// The offscreen platform has no accessibility bridge to pass events to, so a second announcer reports
// to the test what the window's own one passes to the bridge.
void AccessibilityTest::changesAnnouncedOncePerEvaluation() {
    Main window;
    const MainProbe probe(window);
    AnnounceValueChanges(window, &Record);

    probe.perform({QStringLiteral("vsbPegel=-10")});
    for (const char* name : {"vsbPegel", "lbl_Level", "lbl_Power", "lbl_u_drift", "lbl_u_noise"}) {
        QVERIFY2(Announced().value(FindControl<QObject>(window, QString::fromLatin1(name))) == 1, name);
    }
    for (const char* name : {"vsbFrequenz", "lbl_Frequency", "lbl_u_cal", "lbl_MU"}) { // unchanged
        QVERIFY2(!Announced().contains(FindControl<QObject>(window, QString::fromLatin1(name))), name);
    }

    // Percent rewrites every result once.
    Announced().clear();
    probe.perform({QStringLiteral("click:opt_unit_percent")});
    for (const ResultRow& row : kResultRows) {
        QCOMPARE(Announced().value(FindControl<QObject>(window, FromView(row.valueLabel))), 1);
    }
}

void AccessibilityTest::settingCaptionsSayModeAndClick() {
    Main window;
    const MainProbe probe(window);
    const auto said = [&probe](const char* name) {
        const QLabel& caption = probe.find<QLabel>(QString::fromLatin1(name));
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(const_cast<QLabel*>(&caption));
        const QString description = iface->text(QAccessible::Description);
        return caption.toolTip().startsWith(description) && description.contains(QLatin1String("Click"))
                   ? description.section(QLatin1Char(' '), 0, 1)
                   : QStringLiteral("description and tooltip disagree");
    };
    QCOMPARE(said("lbl_IQ_M"), QStringLiteral("Probable: 0.77"));
    QCOMPARE(said("lbl_fd_Lin"), QStringLiteral("Treated as"));
    QVERIFY(
        probe.find<QLabel>(QStringLiteral("lbl_fd_Lin")).toolTip().contains(QLatin1String("statistical:")));
    probe.perform({QStringLiteral("click:lbl_IQ_M"), QStringLiteral("click:lbl_fd_Lin")});
    QCOMPARE(said("lbl_IQ_M"), QStringLiteral("Conservative: the"));
    QVERIFY(probe.find<QLabel>(QStringLiteral("lbl_fd_Lin"))
                .toolTip()
                .startsWith(QLatin1String("Treated as systematic")));
}

// Every row (caption, value, box), the rows below and every input explain themselves; F1 and the
// Info menu's Help, above About, open one help window.
void AccessibilityTest::explanationsAndHelp() {
    Main window;
    QStringList explained{
        "Label19",       "lbl_uc",        "lbl_MU_txt", "lbl_MU",      "lbl_Systematic_Error",
        "lstGrundgerät", "lstResolution", "lstMeßkopf", "opt_unit_db", "opt_unit_percent"};
    for (const ResultRow& row : kResultRows) {
        explained << FromView(row.captionLabel) << FromView(row.valueLabel) << FromView(row.checkBox);
    }
    for (const PositionScrollBar* bar : window.findChildren<PositionScrollBar*>()) {
        explained << bar->objectName();
    }
    for (const QString& name : explained) {
        const auto* control = FindControl<QWidget>(window, name);
        QVERIFY2(!control->toolTip().isEmpty() && control->whatsThis().contains(QLatin1String("</p>")),
                 qPrintable(name));
    }

    const QList<QAction*> info = FindControl<QMenu>(window, QStringLiteral("mnu_Info"))->actions();
    QCOMPARE(info.size(), 2);
    QCOMPARE(info[0]->objectName(), QStringLiteral("mnuHelp"));
    QCOMPARE(info[0]->text(), QStringLiteral("&Help"));
    QCOMPARE(info[0]->shortcut(), QKeySequence(Qt::Key_F1));
    QCOMPARE(info[1]->objectName(), QStringLiteral("frmInfo"));
    info[0]->trigger();
    info[0]->trigger();
    QCOMPARE(window.findChildren<HelpWindow*>().size(), 1);
    const auto* help = FindControl<HelpWindow>(window, QStringLiteral("frmHelp"));
    QVERIFY(help->isVisible() && !help->isModal());
    QVERIFY(FindControl<QTextBrowser>(*help, QStringLiteral("txtHelp"))
                ->toPlainText()
                .contains(QLatin1String("root-sum-square")));
}

// A frame in the highlight colour along the edge of a bar while it has the keyboard focus only.
void AccessibilityTest::focusedBarIsFramed() {
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* bar = FindControl<PositionScrollBar>(window, QStringLiteral("vsbFilter"));
    const QColor highlight = bar->palette().color(QPalette::Highlight);
    const auto edge = [bar] { return bar->grab().toImage().pixelColor(0, bar->height() / 2); };
    QVERIFY(edge() != highlight);
    bar->setFocus(Qt::TabFocusReason);
    QVERIFY(bar->hasFocus());
    QCOMPARE(edge(), highlight);
}

// With a dark palette every label of the windows keeps the palette's light text.
void AccessibilityTest::readableInDarkPalette() {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    QApplication::setPalette(dark);
    Main window;
    About about;
    HelpWindow help;
    for (const QWidget* root :
         {static_cast<QWidget*>(&window), static_cast<QWidget*>(&about), static_cast<QWidget*>(&help)}) {
        for (const QLabel* label : root->findChildren<QLabel*>()) {
            const QPalette& palette = label->palette();
            QVERIFY2(Contrast(palette.color(QPalette::WindowText), palette.color(QPalette::Window)) > 4.5,
                     qPrintable(label->objectName()));
        }
    }
    QApplication::setPalette(light);
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<AccessibilityTest>(argc, argv);
}

#include "accessibility_test.moc"
