#pragma once

#include "budget/budget_description.h"

#include <QFont>
#include <QRectF>
#include <QString>

class QPainter;

// A small plot of the density of the total error for a report: the exact curve, solid lines at ±U and
// dashed lines at the ends of the 95 % interval, each pair labelled in words (the numbers stand in the
// caption beside it, from the core).

// As an inline SVG element for the HTML report.
QString DensityPlotSvg(const tarvex::DescribedCoverage& coverage);

// Into `area` of a painter, lines `pen` device units wide, for the PDF and the print-out.
void PaintDensityPlot(QPainter& painter, const QRectF& area, const tarvex::DescribedCoverage& coverage,
                      double pen, const QFont& font);
