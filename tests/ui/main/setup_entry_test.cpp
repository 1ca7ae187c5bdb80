// Setups typed into Edit > Set Inputs… and opened by File > Open Setup…: what the command line accepts
// reaches the window at the nearest positions, what it rejects leaves the window as it was with the
// command line's reason, and a saved report's CSV opens back into the window it came from.

#include "tests/ui/main_window_probe.h"

#include "ui/main/main_window.h"
#include "ui/main/open_setup.h"
#include "ui/report/report_actions.h"

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using tarvex::uitest::FindControl;
using tarvex::uitest::MainProbe;

namespace {

// Everything the window shows: every label's text, every box's tick, the lists' selections, the bars'
// positions and the linearity flag.
QStringList Shown(const Main& window) {
    QStringList shown;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        shown << label->objectName() + QLatin1Char('=') + label->text() +
                     (label->isVisibleTo(&window) ? QString() : QStringLiteral(" (hidden)"));
    }
    for (const QAbstractButton* box : window.findChildren<QAbstractButton*>()) {
        shown << box->objectName() + QLatin1Char('=') + QVariant(box->isChecked()).toString();
    }
    for (const QListWidget* list : window.findChildren<QListWidget*>()) {
        shown << list->objectName() + QLatin1Char('=') + list->currentItem()->text();
    }
    for (const QScrollBar* bar : window.findChildren<QScrollBar*>()) {
        shown << bar->objectName() + QLatin1Char('=') + QString::number(bar->value());
    }
    return shown << QStringLiteral("sys=") + window.property("flag_fd_lin_sys").toString();
}

QString Written(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(file.fileName()));
    }
    return file.fileName();
}

QDialog* SetInputs(const Main& window) {
    return FindControl<QDialog>(window, QStringLiteral("frmSetInputs"));
}

} // namespace

class SetupEntryTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { tarvex::uitest::PinLocale(); }
    void menus();
    void typingAFrequencyIsQuick();
    void setInputs_data();
    void setInputs();
    void openSetup_data();
    void openSetup();
    void reportOpensIntoItsWindow();
};

// Set Inputs in the Edit menu between File and Settings (the report's test checks the File menu).
void SetupEntryTest::menus() {
    const Main window;
    QStringList titles;
    for (const QAction* title : window.menuBar()->actions()) {
        titles << title->menu()->objectName();
    }
    QCOMPARE(titles.mid(0, 3).join(' '), QStringLiteral("mnuFile mnuEdit mnuMenue"));
    const QAction* set = FindControl<QMenu>(window, QStringLiteral("mnuEdit"))->actions().front();
    QCOMPARE(set->objectName() + ' ' + set->text() + ' ' + set->shortcut().toString(),
             QStringLiteral("mnuSetInputs &Set Inputs\u2026 Ctrl+I"));
}

// Ctrl+I, the digits, Enter: the frequency field has the focus with its text selected.
void SetupEntryTest::typingAFrequencyIsQuick() {
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
    QVERIFY(SetInputs(window) != nullptr);
    QVERIFY(QTest::qWaitForWindowActive(SetInputs(window)));
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtFrequency"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2.45"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(MainProbe(window).text(QStringLiteral("lbl_Frequency")), QStringLiteral("2.45 GHz"));
    QTRY_VERIFY(SetInputs(window) == nullptr); // closed and deleted
}

void SetupEntryTest::setInputs_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("typed");    // field=text
    QTest::addColumn<QString>("message");      // the dialog's message after OK
    QTest::addColumn<QStringList>("expected"); // label=text on the window afterwards
    const auto row = [](const char* tag, const char* locale, const char* typed, const QString& message,
                        const char* expected) {
        QTest::newRow(tag) << QString::fromUtf8(locale) << QString::fromUtf8(typed).split(';') << message
                           << QString::fromUtf8(expected).split(';');
    };
    row("accepted", "en_US", "txtFrequency=2.45;txtLevel=-10;txtTempMin=10;txtTempMax=40", "",
        "lbl_Frequency=2.45 GHz;lbl_Level=-10 dBm;lbl_Temp_Min=10 °C;lbl_Temp_Max=40 °C");
    row("upper limit raised first", "en_US", "txtTempMin=30;txtTempMax=35", "",
        "lbl_Temp_Min=30 °C;lbl_Temp_Max=35 °C");
    row("decimal comma", "de_DE", "txtFrequency=2,45;txtReturnLoss=12,5", "",
        "lbl_Frequency=2,45 GHz;lbl_Return_Loss=12,5 dB");
    row("emptied field keeps the window's value", "en_US", "txtFilter=;txtHarmonic2f=-30", "",
        "lbl_Filter=7;lbl_Harmonics_2f=-30 dBc");
    row("moved to the nearest positions", "de_DE", "txtFrequency=1,234;txtLevel=13,5;txtReturnLoss=20,04",
        "Frequency: 1,234 GHz lies between the bar's positions; set to the nearest, 1,23 GHz\n"
        "Level: 13,5 dBm lies between the bar's positions; set to the nearest, 14 dBm\n"
        "Return Loss: 20,04 dB lies between the bar's positions; set to the nearest, 20,0 dB",
        "lbl_Frequency=1,23 GHz;lbl_Level=14 dBm;lbl_Return_Loss=20,0 dB");
    row("above the sensor's range", "en_US", "txtFrequency=40;txtLevel=-10",
        "Frequency: 40 is above TS-301's top frequency 18 GHz", "lbl_Frequency=18.00 GHz;lbl_Level=0 dBm");
    row("limits out of order", "en_US", "txtTempMin=30;txtTempMax=25",
        "Lower Temp. Limit: 30 is above Upper Temp. Limit 25", "lbl_Temp_Min=22 °C;lbl_Temp_Max=24 °C");
    row("not numbers", "en_US", "txtLevel=ten;txtFilter=7.5",
        "Level: 'ten' is not a number\nFilter No.: '7.5' is not a whole number",
        "lbl_Level=0 dBm;lbl_Filter=7");
}

// OK applies what the command line accepts and closes when there is nothing to say; otherwise the
// dialog stays open with the message, the window unchanged by a rejection.
void SetupEntryTest::setInputs() {
    QFETCH(QString, locale);
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    QLocale::setDefault(QLocale(locale));
    Main window;
    FindControl<QAction>(window, QStringLiteral("mnuSetInputs"))->trigger();
    QPointer<QDialog> dialog = SetInputs(window);
    for (const QString& field : typed) {
        FindControl<QLineEdit>(*dialog, field.section('=', 0, 0))->setText(field.section('=', 1));
    }
    FindControl<QPushButton>(*dialog, QStringLiteral("cmdOK"))->click();
    const QStringList wrong = MainProbe(window).unmet(expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    QCOMPARE(dialog->isVisible(), !message.isEmpty());
    QCOMPARE(FindControl<QLabel>(*dialog, QStringLiteral("lblMessage"))->text(), message);
}

void SetupEntryTest::openSetup_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("choice");      // the row picked when the file holds several; -1 declines
    QTest::addColumn<QString>("message"); // the outcome's message, from its start
    QTest::addColumn<QStringList>("expected");
    const QByteArray three = "id,sensor,frequency_ghz,level_dbm,unit\r\n"
                             "P1,TS-106,20,8,percent\r\n"
                             "P2,TS-301,40,0,dB\r\n"
                             "P3,TS-104,0.0009,-70,dB\r\n";
    const auto row = [](const char* tag, const QByteArray& content, int choice, const char* message,
                        const char* expected) {
        QTest::newRow(tag) << content << choice << QString::fromUtf8(message)
                           << QString::fromUtf8(expected).split(';', Qt::SkipEmptyParts);
    };
    row("one row, taken without asking", "sensor,level_dbm,fd_lin\nTS-101,13,systematic\n", 99, "",
        "lstMeßkopf=TS-101;lbl_Level=13 dBm;sys=true;row=shown");
    row("the row picked", three, 2, "", "lstMeßkopf=TS-104;lbl_Frequency=900 kHz;lbl_Level=-70 dBm");
    row("the first row picked", three, 0, "", "lstMeßkopf=TS-106;lbl_Frequency=20.00 GHz;lbl_Level=8 dBm");
    row("a rejected row", three, 1,
        "Row P2 (line 3) was not opened: frequency_ghz: 40 is above TS-301's top frequency 18 GHz",
        "lstMeßkopf=TS-301;lbl_Frequency=18.00 GHz");
    row("declined", three, -1, "", "lstMeßkopf=TS-301");
    row("between positions", "frequency_ghz,return_loss_db\n1.234,20.04\n", 0,
        "frequency_ghz: 1.234 GHz lies between the bar's positions; set to the nearest, 1.23 GHz\n"
        "return_loss_db: 20.04 dB lies between the bar's positions; set to the nearest, 20.0 dB",
        "lbl_Frequency=1.23 GHz;lbl_Return_Loss=20.0 dB");
    row("semicolons and decimal commas", "sensor;frequency_ghz;level_dbm\nTS-106;2,45;-10,4\n", 0,
        "level_dbm: -10.4 dBm lies between the bar's positions; set to the nearest, -10 dBm",
        "lstMeßkopf=TS-106;lbl_Frequency=2.45 GHz;lbl_Level=-10 dBm");
    row("a bad field", "id,filter,exclude\nA,13,cal\n", 0,
        "Row A (line 2) was not opened: filter: 13 is above the top filter number 12", "lbl_Filter=7");
    row("an unknown column", "sensor,level\nTS-101,3\n", 0,
        "setup.csv:1: unknown column 'level' (did you mean level_dbm?)", "lstMeßkopf=TS-301");
    row("a header only", "sensor,level_dbm\n", 0, "setup.csv holds no setup", "lstMeßkopf=TS-301");
    row("no file", "", 0, "missing.csv cannot be opened", "lstMeßkopf=TS-301");
}

// The chosen row reaches the window when the command line accepts it; anything else leaves the window
// exactly as it was.
void SetupEntryTest::openSetup() {
    QFETCH(QByteArray, content);
    QFETCH(int, choice);
    QFETCH(QString, message);
    QFETCH(QStringList, expected);
    const QTemporaryDir folder;
    const QString path = content.isEmpty() ? folder.filePath(QStringLiteral("missing.csv"))
                                           : Written(folder, QStringLiteral("setup.csv"), content);
    Main window;
    const QStringList before = Shown(window);
    QStringList offered;
    const OpenSetupOutcome outcome =
        OpenSetupFile(window, path, [&](const QStringList& rows) -> std::optional<qsizetype> {
            offered = rows;
            return choice >= 0 ? std::optional<qsizetype>(choice) : std::nullopt;
        });
    QVERIFY2(message.isEmpty() ? outcome.message.isEmpty() : outcome.message.startsWith(message),
             qPrintable(outcome.message));
    const QStringList wrong = MainProbe(window).unmet(expected);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join("; ")));
    if (!outcome.applied) {
        QCOMPARE(Shown(window), before);
    }
    if (content.count('\n') > 2) {
        QCOMPARE(offered.join(','), QStringLiteral("P1 (line 2),P2 (line 3),P3 (line 4)"));
    }
}

// A report saved as CSV, in states that together change every input, opens back into the very window it
// was saved from, after every input has been changed.
void SetupEntryTest::reportOpensIntoItsWindow() {
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.csv"));
    std::mt19937 random(7);
    Main window;
    for (int i = 0; i < 20; ++i) {
        window.ApplySetup(tarvex::uitest::RandomSetup(random));
        QVERIFY(window.findChild<ReportActions*>()->saveReportTo(path, ReportActions::Format::csv));
        const QStringList saved = Shown(window);
        window.ApplySetup(tarvex::uitest::RandomSetup(random));
        const OpenSetupOutcome outcome = OpenSetupFile(window, path, {});
        QVERIFY2(outcome.applied && outcome.message.isEmpty(), qPrintable(outcome.message));
        QCOMPARE(Shown(window), saved);
    }
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<SetupEntryTest>(argc, argv);
}

#include "setup_entry_test.moc"
