// Copy, save and print of the budget: the clipboard text of the start state, every row of the clipboard
// against the window's own labels in several states and a German locale, the report formats, PDF text,
// failed saves, the menu and context menu, and Ctrl+C with the focus in a list.

#include "main_window_probe.h"
#include "ui/main_window.h"
#include "ui/report_actions.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include <memory>

using tarvex::uitest::FromView;
using tarvex::uitest::MainProbe;

namespace {

const QString kStartText = QStringLiteral(
    "Measurement Uncertainty Analysis Tarvex, Rev. 1.0\n\nPower Sensor\tTS-301\nBasic Unit\tBX-20\n"
    "Resolution\t0.01 dB\nFrequency\t18.00 GHz\nLevel\t0 dBm\nPower\t1.0 mW\nReturn Loss\t20.0 dB\n"
    "Reflection Coefficient\t0.100\nVSWR\t1.222\nFilter No.\t7\nHarmonics 2f\t-40 dBc\nHarmonics 3f\t-50 "
    "dBc\n"
    "Lower Temp. Limit\t22 \u00b0C\nUpper Temp. Limit\t24 \u00b0C\nSensor Match\tprobable\n"
    "Frequency dep. Linearity Error\tstatistical\n\nInfluence Quantity\tStandard Uncertainty\tIncluded\n"
    "Calibration Uncertainty\t0.060 dB\tyes\nDisplay Noise\t0.000 dB\tyes\nZero Offset\t0.000 dB\tyes\n"
    "Linearity Uncertainty\t0.010 dB\tyes\nMismatch Uncertainty (probable)\t0.043 dB\tyes\n"
    "Temperature Effect\t0.000 dB\tyes\nBasic Unit\t0.008 dB\tyes\nDisplay Resolution\t0.003 dB\tyes\n"
    "Power Coefficient\t0.000 dB\tyes\nFrequency dep. Linearity Error\t0.000 dB\tyes\n"
    "Harmonics Effect 2f\t0.000 dB\tyes\nHarmonics Effect 3f\t0.000 dB\tyes\n"
    "Combined Standard Uncertainty\t0.075 dB\nExpanded Uncertainty of Level (k=2)\t0.15 dB\n");

// The read-outs a report shows, by document name.
const std::array<std::pair<const char*, const char*>, 11> kReadouts{{
    {"Frequency", "lbl_Frequency"},
    {"Level", "lbl_Level"},
    {"Power", "lbl_Power"},
    {"Return Loss", "lbl_Return_Loss"},
    {"Reflection Coefficient", "lbl_Reflexions_Faktor"},
    {"VSWR", "lbl_VSWR"},
    {"Filter No.", "lbl_Filter"},
    {"Harmonics 2f", "lbl_Harmonics_2f"},
    {"Harmonics 3f", "lbl_Harmonics_3f"},
    {"Lower Temp. Limit", "lbl_Temp_Min"},
    {"Upper Temp. Limit", "lbl_Temp_Max"},
}};

QString ClipboardText() {
    return QGuiApplication::clipboard()->mimeData()->text();
}

// The lines a document must hold for the window as it stands: every read-out, every row of the result
// table with its caption, value and tick, and the rows below it, each text as the window shows it.
QStringList WindowLines(const MainProbe& probe) {
    const auto shown = [&probe](const char* label) { return probe.text(QString::fromUtf8(label)).trimmed(); };
    QStringList lines;
    for (const auto& [caption, label] : kReadouts) {
        lines << QString::fromUtf8(caption) + QLatin1Char('\t') + shown(label);
    }
    for (const ResultRow& row : kResultRows) {
        lines << probe.text(FromView(row.captionLabel)) + QLatin1Char('\t') +
                     probe.text(FromView(row.valueLabel)) +
                     (probe.ticked(row.checkBox) ? QStringLiteral("\tyes") : QStringLiteral("\tno"));
    }
    lines << QStringLiteral("Combined Standard Uncertainty\t") + shown("lbl_uc")
          << shown("lbl_MU_txt") + QLatin1Char('\t') + shown("lbl_MU");
    if (probe.rowShown()) {
        lines << shown("lbl_Systematic_error_txt") + QLatin1Char('\t') + shown("lbl_Systematic_Error");
    }
    return lines;
}

QString PdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_window = std::make_unique<Main>(); }
    void cleanup() {
        m_window.reset();
        tarvex::uitest::PinLocale();
    }
    void menuAndContextMenu();
    void copyStartState();
    void copyShowsTheWindow_data();
    void copyShowsTheWindow();
    void reportFormatsInGermanLocale();
    void pdfHoldsEveryText();
    void failedSaveLeavesNoFile_data();
    void failedSaveLeavesNoFile();
    void ctrlCInList();

private:
    ReportActions& actions() const {
        return *m_window->findChild<ReportActions*>(QStringLiteral("reportActions"));
    }
    void recreateIn(const QLocale& locale) {
        QLocale::setDefault(locale);
        m_window = std::make_unique<Main>();
    }

    std::unique_ptr<Main> m_window;
    QTemporaryDir m_folder;
};

void ReportTest::menuAndContextMenu() {
    const MainProbe probe(*m_window);
    QStringList items;
    for (const QAction* action : probe.find<QMenu>(QStringLiteral("mnuFile")).actions()) {
        items << (action->isSeparator() ? QStringLiteral("-") : action->objectName()) + QLatin1Char(' ') +
                     action->text() + QLatin1Char(' ') + action->shortcut().toString() +
                     (action->isCheckable() ? QStringLiteral(" checkable") : QString());
    }
    QCOMPARE(items, QStringList({QStringLiteral("mnuCopyBudget &Copy Budget Ctrl+C"),
                                 QStringLiteral("mnuSaveReport Save &Report\u2026 Ctrl+S"),
                                 QStringLiteral("mnuPrint &Print\u2026 Ctrl+P"),
                                 QStringLiteral("mnuPrintPreview Print Pre&view\u2026 "),
                                 QStringLiteral("-  "), QStringLiteral("mnuEnd &End ")}));
    const auto& table = probe.find<QFrame>(QStringLiteral("Frame1"));
    QCOMPARE(table.contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(table.actions().size(), 2);
    QCOMPARE(table.actions()[0]->objectName(), QStringLiteral("mnuCopyBudget"));
    QCOMPARE(table.actions()[1]->objectName(), QStringLiteral("mnuSaveReport"));
}

void ReportTest::copyStartState() {
    MainProbe(*m_window).perform({QStringLiteral("menu:mnuCopyBudget")});
    QCOMPARE(ClipboardText(), kStartText);
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    QCOMPARE(html.count(QStringLiteral("<table>")), 2);
    QVERIFY(html.contains(
        QStringLiteral("<td>Mismatch Uncertainty (probable)</td><td>0.043 dB</td><td>yes</td>")));
}

void ReportTest::copyShowsTheWindow_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("steps");
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english = tarvex::uitest::PinnedLocale();
    QTest::newRow("percent with systematic row")
        << english << QStringList{"click:opt_unit_percent", "menu:mnufd_Lin_sys", "lstMeßkopf=TS-106"};
    QTest::newRow("conservative, rows left out")
        << english
        << QStringList{"menu:mnuSensor_Match_Conservative", "click:chk_cal", "click:chk_Harmonics3f"};
    QTest::newRow("German, percent, systematic")
        << german << QStringList{"click:opt_unit_percent", "click:lbl_fd_Lin", "vsbAnpassung=123"};
}

void ReportTest::copyShowsTheWindow() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, steps);
    recreateIn(locale);
    const MainProbe probe(*m_window);
    probe.perform(steps);
    probe.perform({QStringLiteral("menu:mnuCopyBudget")});
    const QString text = ClipboardText();
    for (const QString& line : WindowLines(probe)) {
        QVERIFY2(text.contains(QLatin1Char('\n') + line + QLatin1Char('\n')), qPrintable(line));
    }
    QVERIFY(text.endsWith(WindowLines(probe).constLast() + QLatin1Char('\n')));
}

// A decimal comma on the clipboard, in the text and the PDF; "." in the CSV, which the command line reads.
void ReportTest::reportFormatsInGermanLocale() {
    recreateIn(QLocale(QLocale::German, QLocale::Germany));
    const MainProbe probe(*m_window);
    probe.perform({QStringLiteral("menu:mnuCopyBudget")});
    QVERIFY(ClipboardText().contains(QStringLiteral("Combined Standard Uncertainty\t0,075 dB\n")));
    const QDir folder(m_folder.path());
    for (const char* name : {"r.txt", "r.csv", "r.html", "r.pdf"}) {
        const QString path = folder.filePath(QString::fromUtf8(name));
        QVERIFY(actions().saveReportTo(path, *ReportActions::FormatOfName(path)));
    }
    QFile text(folder.filePath(QStringLiteral("r.txt")));
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(text.readAll()), ClipboardText());

    QFile csv(folder.filePath(QStringLiteral("r.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.size(), 3); // header, row, nothing after the last line end
    QVERIFY(lines[0].startsWith("id,sensor,basic_unit,resolution,frequency_ghz,level_dbm,return_loss_db,"));
    QVERIFY(lines[0].endsWith(",uc,MU,systematic_error,error\r"));
    QVERIFY(lines[1].startsWith("uncertainty-TS-301-18GHz-0dBm,TS-301,BX-20,0.01 dB,18,0,20,7,-40,-50,22,24,"
                                "probable,statistical,,dB,0.06"));
    QCOMPARE(lines[1].count(','), lines[0].count(','));

    QFile html(folder.filePath(QStringLiteral("r.html")));
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QByteArray page = html.readAll();
    QVERIFY(page.contains("<td>0,075 dB</td>"));
    QVERIFY(page.contains("<svg xmlns=\"http://www.w3.org/2000/svg\""));
    QVERIFY(!page.contains(" src=") && !page.contains(" href=")); // nothing outside the file
    QVERIFY(PdfText(folder.filePath(QStringLiteral("r.pdf"))).contains(QStringLiteral("0,075 dB")));
}

// The PDF's text holds every input and result as the window shows it, the time of the report and the
// variance shares, on one page.
void ReportTest::pdfHoldsEveryText() {
    const MainProbe probe(*m_window);
    probe.perform({QStringLiteral("click:opt_unit_percent"), QStringLiteral("menu:mnufd_Lin_sys")});
    actions().setClock([] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7), QTimeZone(3600)); });
    const QString path = QDir(m_folder.path()).filePath(QStringLiteral("budget.pdf"));
    QVERIFY(actions().saveReportTo(path, ReportActions::Format::pdf));
    const QString text = PdfText(path);
    QVERIFY(!text.contains(QLatin1Char('\f') + QStringLiteral("\n"))); // a second page would start so
    QStringList expected = WindowLines(probe);
    expected << QStringLiteral("2026-03-09T14:05:07+01:00") << QStringLiteral("TS-301")
             << QStringLiteral("BX-20") << QStringLiteral("0.01 dB") << QStringLiteral("k = 2")
             << QStringLiteral("about 95 %");
    for (const QString& line : expected) {
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            QVERIFY2(text.contains(cell), qPrintable(cell));
        }
    }
    QVERIFY(text.contains(QStringLiteral("Calibration Uncertainty")));
}

void ReportTest::failedSaveLeavesNoFile_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("path is a folder") << QStringLiteral("folder") << QStringLiteral("directory");
    QTest::newRow("folder is a file") << QStringLiteral("file/report.pdf") << QStringLiteral("directory");
}

// The failures are simulated so that they hold even for root, who may write into read-only folders.
void ReportTest::failedSaveLeavesNoFile() {
    QFETCH(QString, path);
    QFETCH(QString, reason);
    const QDir folder(m_folder.path());
    QVERIFY(folder.mkpath(QStringLiteral("folder")));
    QFile file(folder.filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    QString message;
    QTimer::singleShot(0, this, [&message] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    QVERIFY(!actions().saveReportTo(folder.filePath(path), ReportActions::Format::pdf));
    QVERIFY2(message.contains(QDir::toNativeSeparators(folder.filePath(path))), qPrintable(message));
    QVERIFY2(message.contains(reason, Qt::CaseInsensitive), qPrintable(message));
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QVERIFY(QDir(folder.filePath(QStringLiteral("folder"))).isEmpty());
}

// A list copies its current item on Ctrl+C by default; here the window-wide Copy Budget wins.
void ReportTest::ctrlCInList() {
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QListWidget& list = MainProbe(*m_window).list(QStringLiteral("lstMeßkopf"));
    list.setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(ClipboardText(), kStartText);
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<ReportTest>(argc, argv);
}

#include "report_test.moc"
