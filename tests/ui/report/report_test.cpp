// Copy, save and print of the budget: the clipboard text of the start state (also the one exact check of
// the core's description of a budget); every text of the clipboard and the PDF against the window's own
// labels in several states and a German locale; the HTML's value cells as a spreadsheet reads them; the
// other formats; failed saves; the menu and context menu; Ctrl+C with the focus in a list; the print
// preview.

#include "tests/ui/main_window_probe.h"
#include "ui/main/main_window.h"
#include "ui/report/report_actions.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimeZone>

#include <cmath>
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
    "Combined Standard Uncertainty\t0.075 dB\nExpanded Uncertainty of Level (k=2)\t0.15 dB\n"
    "Coverage of \u00b1U\t95.7 %\n95 % Coverage Interval\t\u00b10.14 dB (k = 1.94)\n");

// The read-outs a report shows: document name, then label.
const QStringList kReadouts =
    QStringLiteral(
        "Frequency=lbl_Frequency;Level=lbl_Level;Power=lbl_Power;Return Loss=lbl_Return_Loss;Reflection "
        "Coefficient=lbl_Reflexions_Faktor;VSWR=lbl_VSWR;Filter No.=lbl_Filter;Harmonics 2f=lbl_Harmonics_2f;"
        "Harmonics 3f=lbl_Harmonics_3f;Lower Temp. Limit=lbl_Temp_Min;Upper Temp. Limit=lbl_Temp_Max")
        .split(QLatin1Char(';'));

QString ClipboardText() {
    return QGuiApplication::clipboard()->mimeData()->text();
}

// The lines a document must hold for the window as it stands: every read-out, every row of the result
// table with its caption, value and tick, and the rows below it, each text as the window shows it.
QStringList WindowLines(const MainProbe& probe) {
    const auto shown = [&probe](const QString& label) { return probe.text(label).trimmed(); };
    QStringList lines;
    for (const QString& readout : kReadouts) {
        lines << readout.section(QLatin1Char('='), 0, 0) + QLatin1Char('\t') + shown(readout.section('=', 1));
    }
    for (const ResultRow& row : kResultRows) {
        lines << probe.text(FromView(row.captionLabel)) + QLatin1Char('\t') +
                     probe.text(FromView(row.valueLabel)) +
                     (probe.ticked(row.checkBox) ? QStringLiteral("\tyes") : QStringLiteral("\tno"));
    }
    lines << QStringLiteral("Combined Standard Uncertainty\t") + shown(QStringLiteral("lbl_uc"))
          << shown(QStringLiteral("lbl_MU_txt")) + QLatin1Char('\t') + shown(QStringLiteral("lbl_MU"));
    if (probe.rowShown()) {
        lines << shown(QStringLiteral("lbl_Systematic_error_txt")) + QLatin1Char('\t') +
                     shown(QStringLiteral("lbl_Systematic_Error"));
    }
    return lines;
}

QString PdfText(const QByteArray& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QStringLiteral("-"), QStringLiteral("-")});
    pdftotext.write(pdf);
    pdftotext.closeWriteChannel();
    pdftotext.waitForFinished();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// The tables of an HTML document as Python's HTML parser reads them: tables of rows of cells, each cell
// {"tag", "text", "attrs"}.
QJsonArray HtmlTables(const QByteArray& html) {
    QProcess python;
    python.start(QStringLiteral(TARVEX_PYTHON3), {QStringLiteral(TARVEX_HTML_CELLS_SCRIPT)});
    python.write(html);
    python.closeWriteChannel();
    python.waitForFinished();
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

// The row of a table whose first cell reads `caption`.
QJsonArray RowCaptioned(const QJsonArray& table, const QString& caption) {
    for (const auto& row : table) {
        if (row.toArray().first().toObject()[QStringLiteral("text")].toString() == caption) {
            return row.toArray();
        }
    }
    return {};
}

// Checks a value cell against the window's label and the core's number: a spreadsheet number (the same
// value for LibreOffice and Excel) with as many decimals as the window shows, the window's digits as the
// cell's text, and the value that of the core rounded to those decimals.
void CheckValueCell(const QJsonObject& cell, const QString& label, double core) {
    const QJsonObject attrs = cell[QStringLiteral("attrs")].toObject();
    const QString value = attrs[QStringLiteral("sdval")].toString();
    QCOMPARE(attrs[QStringLiteral("x:num")].toString(), value);
    QCOMPARE(cell[QStringLiteral("text")].toString(), label.trimmed().section(QLatin1Char(' '), 0, 0));
    const QString format = attrs[QStringLiteral("sdnum")].toString().section(QLatin1Char(';'), 2);
    const int decimals = static_cast<int>(format.section(QLatin1Char('.'), 1).size());
    QCOMPARE(
        attrs[QStringLiteral("style")].toString(),
        QStringLiteral("mso-number-format:\"%1\"").arg(QString(format).replace('.', QStringLiteral("\\."))));
    const double scale = std::pow(10.0, decimals);
    bool isNumber = false;
    const double shown = value.toDouble(&isNumber);
    QVERIFY2(isNumber && std::fabs(shown * scale - std::round(shown * scale)) < 1e-6, qPrintable(value));
    QVERIFY2(std::fabs(shown - core) <= 0.5 / scale * (1 + 1e-9),
             qPrintable(value + " " + QString::number(core)));
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
    void htmlValuesAreNumbers_data();
    void htmlValuesAreNumbers();
    void failedSaveLeavesNoFile_data();
    void failedSaveLeavesNoFile();
    void ctrlCInList();
    void printPreviewShowsOnePage();

private:
    ReportActions& actions() const {
        return *m_window->findChild<ReportActions*>(QStringLiteral("reportActions"));
    }
    // The report saved under a name whose extension gives the format, as read back; empty if not saved.
    QByteArray saved(const QString& name) const {
        const QString path = QDir(m_folder.path()).filePath(name);
        QFile file(path);
        return actions().saveReportTo(path, *ReportActions::FormatOfName(path)) &&
                       file.open(QIODevice::ReadOnly)
                   ? file.readAll()
                   : QByteArray();
    }
    void recreateIn(const QLocale& locale) {
        QLocale::setDefault(locale);
        m_window = std::make_unique<Main>();
    }
    // A new window in `locale`, set by `steps`, whose budget is then copied to the clipboard.
    void copyAfter(const QLocale& locale, const QStringList& steps) {
        recreateIn(locale);
        const MainProbe probe(*m_window);
        probe.perform(steps);
        probe.perform({QStringLiteral("menu:mnuCopyBudget")});
    }

    std::unique_ptr<Main> m_window;
    QTemporaryDir m_folder;
};

// The File menu's items as "name text shortcut", "-" for the separator; and the result table's context menu.
void ReportTest::menuAndContextMenu() {
    const MainProbe probe(*m_window);
    const auto items = [](const QList<QAction*>& actions) {
        QStringList texts;
        for (const QAction* action : actions) {
            texts << (action->isSeparator() ? QStringLiteral("-")
                                            : action->objectName() + QLatin1Char(' ') + action->text() +
                                                  QLatin1Char(' ') + action->shortcut().toString()) +
                         (action->isCheckable() ? QStringLiteral(" checkable") : QString());
        }
        return texts.join(QLatin1Char(';'));
    };
    QCOMPARE(
        items(probe.find<QMenu>(QStringLiteral("mnuFile")).actions()),
        QStringLiteral("mnuOpenSetup &Open Setup\u2026 Ctrl+O;"
                       "mnuCopyBudget &Copy Budget Ctrl+C;mnuSaveReport Save &Report\u2026 Ctrl+S;"
                       "mnuPrint &Print\u2026 Ctrl+P;mnuPrintPreview Print Pre&view\u2026 ;-;mnuEnd &End "));
    const auto& table = probe.find<QFrame>(QStringLiteral("Frame1"));
    QCOMPARE(table.contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(items(table.actions()), QStringLiteral("mnuCopyBudget &Copy Budget Ctrl+C;mnuSaveReport Save "
                                                    "&Report\u2026 Ctrl+S"));
}

void ReportTest::copyStartState() {
    MainProbe(*m_window).perform({QStringLiteral("menu:mnuCopyBudget")});
    QCOMPARE(ClipboardText(), kStartText);
    const QString html = QGuiApplication::clipboard()->mimeData()->html();
    QCOMPARE(html.count(QStringLiteral("<table>")), 2);
}

// The clipboard holds every line, and the PDF every text, of the window as it stands, then the coverage.
void ReportTest::copyShowsTheWindow_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("steps");
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english = tarvex::uitest::PinnedLocale();
    QTest::newRow("conservative, rows left out")
        << english
        << QStringList{"menu:mnuSensor_Match_Conservative", "click:chk_cal", "click:chk_Harmonics3f"};
    QTest::newRow("German, percent, systematic")
        << german << QStringList{"click:opt_unit_percent", "click:lbl_fd_Lin", "vsbAnpassung=123"};
}

void ReportTest::copyShowsTheWindow() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, steps);
    copyAfter(locale, steps);
    const MainProbe probe(*m_window);
    const QString text = ClipboardText();
    const QString pdf = PdfText(saved(QStringLiteral("report.pdf")));
    for (const QString& line : WindowLines(probe)) {
        QVERIFY2(text.contains(QLatin1Char('\n') + line + QLatin1Char('\n')), qPrintable(line));
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            QVERIFY2(pdf.contains(cell), qPrintable(cell));
        }
    }
    // The coverage of ±U and the 95 % interval follow the window's last row.
    QVERIFY(text.contains(WindowLines(probe).constLast() + QStringLiteral("\nCoverage of \u00b1U\t")));
    QVERIFY(text.section(QLatin1Char('\n'), -2, -2).startsWith(QStringLiteral("95 % Coverage Interval\t")));
}

// A decimal comma on the clipboard, in the text and the PDF; "." in the CSV, which the command line reads.
void ReportTest::reportFormatsInGermanLocale() {
    recreateIn(QLocale(QLocale::German, QLocale::Germany));
    const MainProbe probe(*m_window);
    probe.perform({QStringLiteral("menu:mnuCopyBudget")});
    QVERIFY(ClipboardText().contains(QStringLiteral("Combined Standard Uncertainty\t0,075 dB\n")));
    QCOMPARE(QString::fromUtf8(saved(QStringLiteral("r.txt"))), ClipboardText());
    actions().setClock([] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7), QTimeZone(3600)); });
    const QString pdf = PdfText(saved(QStringLiteral("r.pdf")));
    QVERIFY(pdf.contains(QStringLiteral("0,075 dB")) &&
            pdf.contains(QStringLiteral("2026-03-09T14:05:07+01:00")));
    QVERIFY(pdf.contains(QStringLiteral("k = 2")) && pdf.count(QLatin1Char('\f')) == 1); // one page
    const QByteArray page = saved(QStringLiteral("r.html"));
    QVERIFY(page.contains(">0,075</td>") && page.contains("<svg xmlns=\"http://www.w3.org/2000/svg\""));
    QVERIFY(!page.contains(" src=") && !page.contains(" href=")); // nothing outside the file

    const QList<QByteArray> csv = saved(QStringLiteral("r.csv")).split('\n');
    QCOMPARE(csv.size(), 3); // header, row, nothing after the last line end
    QVERIFY(csv[0].startsWith("id,sensor,basic_unit,resolution,frequency_ghz,") &&
            csv[0].endsWith(",uc,MU,systematic_error,error\r"));
    QVERIFY(csv[1].startsWith("uncertainty-TS-301-18GHz-0dBm,TS-301,BX-20,0.01 dB,18,0,20,7,-40,-50,22,24,"
                              "probable,statistical,,dB,0.06"));
    QCOMPARE(csv[1].count(','), csv[0].count(','));

    // The command line reads the report back to the same numbers, here for a return loss off the 1 dB
    // grid in percent.
    probe.perform({QStringLiteral("vsbAnpassung=123"), QStringLiteral("click:opt_unit_percent")});
    const QString path = QDir(m_folder.path()).filePath(QStringLiteral("again.csv"));
    const QList<QByteArray> report = saved(QStringLiteral("again.csv")).split('\n');
    QProcess tool;
    tool.start(QStringLiteral(TARVEX_BUDGET_PROGRAM), {QStringLiteral("--batch"), path});
    QVERIFY(tool.waitForFinished(10000) && tool.exitCode() == 0);
    const QList<QByteArray> results = tool.readAllStandardOutput().split('\n');
    const qsizetype inputColumns = 16;
    QCOMPARE(results[1].trimmed().split(',').mid(2),
             report[1].trimmed().split(',').mid(inputColumns)); // id, unit
}

void ReportTest::htmlValuesAreNumbers_data() {
    copyShowsTheWindow_data();
}

// The clipboard's HTML and the report page, read by an HTML parser: every value of the budget table is a
// spreadsheet number, its unit in the column's heading; a numeric input carries its unit in its caption,
// an identifier stays a text.
void ReportTest::htmlValuesAreNumbers() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, steps);
    copyAfter(locale, steps);
    const MainProbe probe(*m_window);
    const tarvex::MeasurementSetup setup = m_window->ReadSetup();
    const tarvex::ResultValues values = tarvex::ShownValues(tarvex::EvaluateBudget(setup), setup.unit);
    const bool percent = setup.unit == tarvex::ResultUnit::percent;
    const double scale = percent ? 100.0 : 1.0; // a "%" pattern shows 100 times its number
    for (const QByteArray& html :
         {QGuiApplication::clipboard()->mimeData()->html().toUtf8(), saved(QStringLiteral("report.html"))}) {
        const QJsonArray tables = HtmlTables(html);
        QCOMPARE(tables.size(), 2);
        const QJsonArray inputs = tables[0].toArray();
        const QJsonArray budget = tables[1].toArray();
        QCOMPARE(budget[0].toArray()[1].toObject()[QStringLiteral("text")].toString(),
                 percent ? QStringLiteral("Standard Uncertainty (%)")
                         : QStringLiteral("Standard Uncertainty (dB)"));
        for (const ResultRow& row : kResultRows) {
            const QJsonArray cells = RowCaptioned(budget, probe.text(FromView(row.captionLabel)));
            QVERIFY2(cells.size() == 3, row.valueLabel.data());
            CheckValueCell(cells[1].toObject(), probe.text(FromView(row.valueLabel)),
                           scale * values.u[tarvex::Index(row.key)]);
        }
        CheckValueCell(RowCaptioned(budget, probe.text(QStringLiteral("lbl_MU_txt")).trimmed())[1].toObject(),
                       probe.text(QStringLiteral("lbl_MU")), scale * values.MU);
        CheckValueCell(RowCaptioned(budget, QStringLiteral("Combined Standard Uncertainty"))[1].toObject(),
                       probe.text(QStringLiteral("lbl_uc")), scale * values.uc);
        CheckValueCell(RowCaptioned(inputs, QStringLiteral("Level (dBm)"))[1].toObject(),
                       probe.text(QStringLiteral("lbl_Level")), setup.level);
        const QJsonObject sensor = RowCaptioned(inputs, QStringLiteral("Power Sensor"))[1].toObject();
        QVERIFY(sensor[QStringLiteral("text")].toString() == QLatin1String("TS-301") &&
                sensor[QStringLiteral("attrs")].toObject().isEmpty());
    }
}

void ReportTest::failedSaveLeavesNoFile_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("path is a folder") << QStringLiteral("folder");
    QTest::newRow("folder is a file") << QStringLiteral("file/report.pdf");
}

// The failures are simulated so that they hold even for root, who may write into read-only folders.
void ReportTest::failedSaveLeavesNoFile() {
    QFETCH(QString, path);
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
    QVERIFY2(message.contains(QStringLiteral("directory"), Qt::CaseInsensitive), qPrintable(message));
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

// Print Preview draws the page the PDF holds, through the same painting as printing.
void ReportTest::printPreviewShowsOnePage() {
    int pages = 0;
    QTimer::singleShot(0, this, [&pages] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (auto* preview = dialog != nullptr ? dialog->findChild<QPrintPreviewWidget*>() : nullptr) {
            pages = preview->pageCount();
            dialog->close();
        }
    });
    MainProbe(*m_window).perform({QStringLiteral("menu:mnuPrintPreview")});
    QCOMPARE(pages, 1);
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<ReportTest>(argc, argv);
}

#include "report_test.moc"
