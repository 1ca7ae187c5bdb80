#pragma once

#include "ui/report/budget_document.h"

#include <QByteArray>
#include <QLocale>
#include <QPageLayout>

class QPainter;

// The one-page report as drawn on paper or into a PDF: title, time of creation, inputs and settings, the
// budget table with its included marks, the results and the coverage statement, and a bar chart of each
// included contribution's share of the combined variance.

// A page in the paper size of the locale's measurement system (Letter in the United States' system, else
// A4), portrait, with margins that printers can print.
QPageLayout ReportPageLayout(const QLocale& locale = QLocale());

// Draws the report into the painter's device, within its paintable area (the page inside its margins),
// scaled down if a page too small for it is chosen.
void PaintReportPage(QPainter& painter, const BudgetDocument& document);

// The report as a PDF of one page: selectable text, fonts embedded.
QByteArray ReportPdf(const BudgetDocument& document, const QPageLayout& layout);
