// What assistive technology gets from the windows: values of labels and scroll bars through Qt's
// accessibility API, also from interfaces it asked for before they changed; one announcement per changed
// value and evaluation; the setting captions; explanations and help; the scroll bars' focus frame; the
// palette's text colour in a dark palette.

#include "tests/ui/main_window_probe.h"

#include "ui/accessibility/accessibility.h"
#include "ui/info/about.h"
#include "ui/info/help_window.h"
#include "ui/main/main_window.h"

#include <QAccessible>
#include <QMenu>
#include <QTextBrowser>

using tarvex::uitest::FindControl;
using tarvex::uitest::FromView;
using tarvex::uitest::MainProbe;

namespace {

QHash<QObject*, int>& Announced() { // events by object
    static QHash<QObject*, int> announced;
    return announced;
}

void Record(QAccessibleEvent* event) {
    ++Announced()[event->object()];
}

QAccessibleInterface* Interface(const QWidget& root, const QString& name) {
    return QAccessible::queryAccessibleInterface(FindControl<QWidget>(root, name));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { Announced().clear(); }

    // Interfaces made before a change of frequency and unit (and kept by Qt, as for a running screen
    // reader) report the new values.
    void valuesAfterChange() {
        Main window;
        for (QObject* object : window.findChildren<QWidget*>()) {
            QVERIFY(QAccessible::queryAccessibleInterface(object) != nullptr);
        }
        MainProbe(window).perform(
            {QStringLiteral("vsbFrequenz=1018"), QStringLiteral("click:opt_unit_percent")});
        for (const char* row :
             {"vsbFrequenz|Frequency|10.00 GHz", "vsbPegel|Level|0 dBm", "vsbAnpassung|Source Match|20.0 dB",
              "vsbFilter|Filter No.|7", "vsbHarmonics2f|Harmonics 2f|-40 dBc",
              "vsbHarmonics3f|Harmonics 3f|-50 dBc", "vsbTemp_min|Lower Temp. Limit|22 °C",
              "vsbTemp_max|Upper Temp. Limit|24 °C", "lbl_u_cal|Calibration Uncertainty|0.81 %",
              "lbl_MU|Expanded Uncertainty of Power (k=2)|2.3 %"}) {
            const QStringList cells = QString::fromUtf8(row).split(QLatin1Char('|'));
            const QAccessibleInterface* iface = Interface(window, cells[0]);
            QCOMPARE(iface->text(QAccessible::Name) + '|' + iface->text(QAccessible::Value) + '|' +
                         iface->text(QAccessible::Description),
                     cells[1] + '|' + cells[2] + '|' + cells[2]);
        }
        int valueLabels = 0; // every one: its caption as name, its text as value
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (ShowsValue(*label)) {
                ++valueLabels;
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(label);
                QVERIFY2(iface->text(QAccessible::Value) == label->text() &&
                             !label->accessibleName().isEmpty() &&
                             iface->text(QAccessible::Name) == label->accessibleName(),
                         qPrintable(label->objectName()));
            }
        }
        QCOMPARE(valueLabels, 11 + 15); // the read-outs and the result labels
        QCOMPARE(Interface(window, QStringLiteral("vsbFrequenz"))->valueInterface()->currentValue(),
                 QVariant(1018));
    }

    // The offscreen platform has no bridge to pass events to, so a second announcer reports to the test
    // what the window's own one passes to the bridge.
    void changesAnnouncedOncePerEvaluation() {
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
        Announced().clear();
        probe.perform({QStringLiteral("click:opt_unit_percent")}); // rewrites every result once
        for (const ResultRow& row : kResultRows) {
            QCOMPARE(Announced().value(FindControl<QObject>(window, FromView(row.valueLabel))), 1);
        }
    }

    // Description and tooltip of the two clickable captions start with the mode and the click.
    void settingCaptionsSayModeAndClick() {
        Main window;
        const auto said = [&window](const QString& name) {
            const QString description = Interface(window, name)->text(QAccessible::Description);
            const bool same = FindControl<QWidget>(window, name)->toolTip().startsWith(description);
            return same && description.contains(QLatin1String(". Click to")) ? description.section(':', 0, 0)
                                                                             : description;
        };
        QCOMPARE(said(QStringLiteral("lbl_IQ_M")) + said(QStringLiteral("lbl_fd_Lin")),
                 QStringLiteral("ProbableTreated as statistical"));
        MainProbe(window).perform({QStringLiteral("click:lbl_IQ_M"), QStringLiteral("click:lbl_fd_Lin")});
        QCOMPARE(said(QStringLiteral("lbl_IQ_M")) + said(QStringLiteral("lbl_fd_Lin")),
                 QStringLiteral("ConservativeTreated as systematic"));
    }

    // Every row (caption, value, box), the rows below and every input explain themselves; F1 and the
    // Info menu's Help, above About, open one help window.
    void explanationsAndHelp() {
        Main window;
        QStringList explained =
            QStringLiteral("Label19 lbl_uc lbl_MU_txt lbl_MU lbl_Systematic_Error "
                           "lstGrundgerät lstResolution lstMeßkopf opt_unit_db opt_unit_percent")
                .split(' ');
        for (const ResultRow& row : kResultRows) {
            explained << FromView(row.captionLabel) << FromView(row.valueLabel) << FromView(row.checkBox);
        }
        for (const PositionScrollBar* bar : window.findChildren<PositionScrollBar*>()) {
            explained << bar->objectName();
        }
        for (const QString& name : explained) {
            const auto* control = FindControl<QWidget>(window, name);
            QVERIFY2(!control->toolTip().isEmpty() && control->whatsThis().contains(QLatin1String("</p><p>")),
                     qPrintable(name));
        }
        const QList<QAction*> info = FindControl<QMenu>(window, QStringLiteral("mnu_Info"))->actions();
        QCOMPARE(info.size(), 2);
        QCOMPARE(info[0]->objectName() + info[0]->text() + info[1]->objectName(),
                 QStringLiteral("mnuHelp&HelpfrmInfo"));
        QCOMPARE(info[0]->shortcut(), QKeySequence(Qt::Key_F1));
        info[0]->trigger();
        info[0]->trigger();
        QCOMPARE(window.findChildren<HelpWindow*>().size(), 1);
        const auto* help = FindControl<HelpWindow>(window, QStringLiteral("frmHelp"));
        QVERIFY(help->isVisible() && QApplication::activeModalWidget() == nullptr);
        QVERIFY(FindControl<QTextBrowser>(*help, QStringLiteral("txtHelp"))
                    ->toPlainText()
                    .contains("root-sum-square"));
    }

    // A frame in the highlight colour along the edge of a bar while it has the keyboard focus only.
    void focusedBarIsFramed() {
        Main window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* bar = FindControl<PositionScrollBar>(window, QStringLiteral("vsbFilter"));
        const auto edge = [bar] { return bar->grab().toImage().pixelColor(0, bar->height() / 2); };
        QVERIFY(edge() != bar->palette().color(QPalette::Highlight));
        bar->setFocus(Qt::TabFocusReason);
        QCOMPARE(edge(), bar->palette().color(QPalette::Highlight));
    }

    // No label sets a colour of its own: in a dark palette all keep its light text.
    void labelsKeepThePalettesText() {
        const QPalette light = QApplication::palette();
        QPalette dark(QColor(0x35, 0x35, 0x35));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(dark);
        const Main window;
        const About about;
        const HelpWindow help;
        for (const QWidget* root : {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(&about),
                                    static_cast<const QWidget*>(&help)}) {
            for (const QLabel* label : root->findChildren<QLabel*>()) {
                QVERIFY2(label->palette().color(QPalette::WindowText) == dark.color(QPalette::WindowText),
                         qPrintable(label->objectName()));
            }
        }
        QApplication::setPalette(light);
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<AccessibilityTest>(argc, argv);
}

#include "accessibility_test.moc"
