#pragma once

#include "budget/budget_description.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Renderings of one described budget as text, HTML and CSV. They place the description's texts and never
// format a number of their own, so that whatever leaves the program reads as the window does.

// What a report shows: the budget as the window shows it, and when the report was made.
struct BudgetDocument {
    tarvex::BudgetDescription description;
    QDateTime created;
};

// The budget as tab-separated lines ending in "\n": title, blank line, inputs, blank line, the budget
// table with its header, combined, expanded and (while shown) systematic rows, then (where the budget has a
// distribution) the coverage of ±U and the 95 % interval. Also the plain-text report.
QString BudgetPlainText(const tarvex::BudgetDescription& description);

// The same content as two HTML tables, for pasting into an office document or a spreadsheet.
QString BudgetHtmlTables(const tarvex::BudgetDescription& description);

// The report as one self-contained HTML page (UTF-8), the variance chart inline as SVG.
QByteArray ReportHtml(const BudgetDocument& document);

// The budget as one row in the batch format of the command-line tool, with its header: input columns, then
// result columns, "." decimals whatever the locale, fields quoted as RFC 4180 says, CRLF line ends.
QByteArray ReportCsv(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget);

// A file name for the report of a setup, e.g. "uncertainty-TS-301-18GHz-0dBm" (without extension).
QString SuggestedReportName(const tarvex::MeasurementSetup& setup);

// The statement on coverage printed below the budget table: what ±U covers for this budget and its 95 %
// interval, or only how U is formed where the budget has no distribution.
QString CoverageStatement(const tarvex::BudgetDescription& description);
