#include "ui/report/report_actions.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/save_file.h"
#include "ui/main/main_window.h"
#include "ui/report/budget_document.h"
#include "ui/report/report_page.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

#include <array>

namespace {

struct FormatInfo {
    ReportActions::Format format;
    const char* extension;
    const char* filter;
};

// The save dialog's filters; the first is the one it starts with.
constexpr std::array<FormatInfo, 4> kFormats{{
    {ReportActions::Format::pdf, "pdf", "PDF document (*.pdf)"},
    {ReportActions::Format::html, "html", "Web page (*.html *.htm)"},
    {ReportActions::Format::csv, "csv", "Batch CSV for tarvex-budget (*.csv)"},
    {ReportActions::Format::text, "txt", "Plain text (*.txt)"},
}};

// The current local time with its offset from UTC, so that the ISO 8601 text carries the offset.
QDateTime LocalTimeWithOffset() {
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc());
}

QAction* AddAction(QObject* owner, const char* name, const char* text, const QKeySequence& shortcut) {
    auto* action = new QAction(QString::fromUtf8(text), owner);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

ReportActions::ReportActions(Main& window, QMenu& fileMenu, QAction* before, QWidget& resultTable)
    : QObject(&window)
    , m_window(window)
    , m_clock(LocalTimeWithOffset) {
    setObjectName(QStringLiteral("reportActions"));
    QAction* copy = AddAction(&window, "mnuCopyBudget", "&Copy Budget", QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* save =
        AddAction(&window, "mnuSaveReport", "Save &Report\u2026", QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* print = AddAction(&window, "mnuPrint", "&Print\u2026", QKeySequence(Qt::CTRL | Qt::Key_P));
    QAction* preview = AddAction(&window, "mnuPrintPreview", "Print Pre&view\u2026", QKeySequence());
    fileMenu.insertActions(before, {copy, save, print, preview});
    fileMenu.insertSeparator(before);

    // Right-clicking the result table or anything in it (labels and boxes leave the event to it).
    resultTable.setContextMenuPolicy(Qt::ActionsContextMenu);
    resultTable.addActions({copy, save});

    connect(copy, &QAction::triggered, this, &ReportActions::copyBudget);
    connect(save, &QAction::triggered, this, &ReportActions::saveReport);
    connect(print, &QAction::triggered, this, &ReportActions::print);
    connect(preview, &QAction::triggered, this, &ReportActions::printPreview);
    connect(&window, &Main::evaluated, this, &ReportActions::follow);
}

void ReportActions::follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) {
    m_setup = setup;
    m_budget = budget;
}

void ReportActions::copyBudget() const {
    const tarvex::BudgetDescription description =
        tarvex::DescribeBudget(m_setup, m_budget, m_window.DecimalSeparator());
    auto* data = new QMimeData;
    data->setText(BudgetPlainText(description));
    data->setHtml(BudgetHtmlTables(description));
    QGuiApplication::clipboard()->setMimeData(data); // the clipboard takes the data over
}

std::optional<ReportActions::Format> ReportActions::FormatOfName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("htm")) {
        return Format::html;
    }
    for (const FormatInfo& info : kFormats) {
        if (suffix == QLatin1String(info.extension)) {
            return info.format;
        }
    }
    return std::nullopt;
}

QByteArray ReportActions::render(Format format) const {
    const BudgetDocument document{tarvex::DescribeBudget(m_setup, m_budget, m_window.DecimalSeparator()),
                                  m_clock()};
    switch (format) {
    case Format::pdf:
        return ReportPdf(document, ReportPageLayout(m_window.locale()));
    case Format::html:
        return ReportHtml(document);
    case Format::csv:
        return ReportCsv(m_setup, m_budget);
    case Format::text:
        break;
    }
    return BudgetPlainText(document.description).toUtf8();
}

// The name's own extension decides the format when it names one of the four (so that "budget.html" never
// holds a PDF); a name without one gets the extension of the chosen filter.
void ReportActions::saveReport() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(SuggestedReportName(m_setup) + QStringLiteral(".pdf"));
    QStringList filters;
    for (const FormatInfo& info : kFormats) {
        filters << QString::fromUtf8(info.filter);
    }
    QString filter = filters.front();
    QString path = QFileDialog::getSaveFileName(&m_window, QStringLiteral("Save Report"), suggested,
                                                filters.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) {
        return; // cancelled
    }
    const FormatInfo& chosen =
        kFormats[static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(filter)))];
    std::optional<Format> format = FormatOfName(path);
    if (!format) {
        if (QFileInfo(path).suffix().isEmpty()) {
            path += QLatin1Char('.') + QLatin1String(chosen.extension);
        }
        format = chosen.format;
    }
    saveReportTo(path, *format);
}

bool ReportActions::saveReportTo(const QString& path, Format format) {
    return SaveFileOrExplain(&m_window, path, render(format), QStringLiteral("Save Report"),
                             QStringLiteral("The report could not be saved as %1.\n\n%2"));
}

void ReportActions::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(m_window.locale()));
    printer.setDocName(SuggestedReportName(m_setup));
    QPrintDialog dialog(&printer, &m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const BudgetDocument document{tarvex::DescribeBudget(m_setup, m_budget, m_window.DecimalSeparator()),
                                  m_clock()};
    QPainter painter(&printer);
    PaintReportPage(painter, document);
}

void ReportActions::printPreview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout(m_window.locale()));
    printer.setDocName(SuggestedReportName(m_setup));
    const BudgetDocument document{tarvex::DescribeBudget(m_setup, m_budget, m_window.DecimalSeparator()),
                                  m_clock()};
    QPrintPreviewDialog dialog(&printer, &m_window);
    dialog.setObjectName(QStringLiteral("reportPreview"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&document](QPrinter* target) {
        QPainter painter(target);
        PaintReportPage(painter, document);
    });
    dialog.exec();
}
