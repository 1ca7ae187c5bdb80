#include "ui/report/density_plot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>

namespace {

const QColor kCurveColour(0x3a, 0x6e, 0xa5);
const QColor kIntervalColour(0xb0, 0x3a, 0x2e);

// A vertical mark: its position in dB and its label.
struct Mark {
    double x;
    const char* label;
    bool interval;
};

// The curve and the marks mapped into a box: x from the curve's first to its last point, y from 0 at the
// bottom to the top. The arcsine terms' densities rise without bound at their ends; the scale stops at
// 2 / MU (above a normal peak of 0.8 / MU) and the curve is clipped there.
struct Plot {
    QPolygonF curve;
    std::array<QPointF, 4> markTops;
    std::array<Mark, 4> marks;
    double bottom;
};

Plot MapPlot(const tarvex::DescribedCoverage& coverage, const QRectF& box) {
    const auto& points = coverage.density;
    const double from = points.front().x;
    const double to = points.back().x;
    double top = 0.0;
    for (const tarvex::DensityPoint& p : points) {
        top = std::max(top, p.density);
    }
    top = std::min(top, 2.0 / coverage.MU);
    const auto mapX = [&](double x) { return box.left() + (x - from) / (to - from) * box.width(); };
    const auto mapY = [&](double d) { return box.bottom() - std::min(d, top) / top * box.height(); };
    Plot plot{{}, {}, {}, box.bottom()};
    for (const tarvex::DensityPoint& p : points) {
        plot.curve << QPointF(mapX(p.x), mapY(p.density));
    }
    const double h = coverage.figures.halfWidth95;
    plot.marks = {{{-coverage.MU, "\u2212U", false},
                   {coverage.MU, "+U", false},
                   {-h, "95 %", true},
                   {h, "95 %", true}}};
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        plot.markTops[i] = QPointF(mapX(plot.marks[i].x), box.top());
    }
    return plot;
}

} // namespace

QString DensityPlotSvg(const tarvex::DescribedCoverage& coverage) {
    constexpr int kWidth = 420;
    constexpr int kHeight = 130;
    const Plot plot = MapPlot(coverage, QRectF(10, 18, kWidth - 20, kHeight - 28));
    QString svg = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                                 "viewBox=\"0 0 %1 %2\" font-family=\"Liberation Sans, Arial, sans-serif\" "
                                 "font-size=\"11\">\n<polyline fill=\"none\" stroke=\"#3a6ea5\" "
                                 "stroke-width=\"1.5\" points=\"")
                      .arg(kWidth)
                      .arg(kHeight);
    for (const QPointF& p : plot.curve) {
        svg += QStringLiteral("%1,%2 ").arg(p.x(), 0, 'f', 1).arg(p.y(), 0, 'f', 1);
    }
    svg += QStringLiteral("\"/>\n<line x1=\"10\" y1=\"%1\" x2=\"%2\" y2=\"%1\" stroke=\"#000\"/>\n")
               .arg(plot.bottom, 0, 'f', 1)
               .arg(kWidth - 10);
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const QPointF top = plot.markTops[i];
        const bool interval = plot.marks[i].interval;
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%1\" y2=\"%3\" stroke=\"%4\"%5/>"
                              "<text x=\"%1\" y=\"%6\" text-anchor=\"middle\" fill=\"%4\">%7</text>\n")
                   .arg(top.x(), 0, 'f', 1)
                   .arg(top.y(), 0, 'f', 1)
                   .arg(plot.bottom, 0, 'f', 1)
                   .arg(interval ? QStringLiteral("#b03a2e") : QStringLiteral("#000"),
                        interval ? QStringLiteral(" stroke-dasharray=\"4 3\"") : QString())
                   .arg(top.y() - (interval ? 10.0 : 4.0), 0, 'f', 1)
                   .arg(QString::fromUtf8(plot.marks[i].label).toHtmlEscaped());
    }
    return svg + QStringLiteral("</svg>\n");
}

void PaintDensityPlot(QPainter& painter, const QRectF& area, const tarvex::DescribedCoverage& coverage,
                      double pen, const QFont& font) {
    const double labelHeight = QFontMetricsF(font, painter.device()).height();
    const QRectF box = area.adjusted(0, 2.0 * labelHeight, 0, 0);
    const Plot plot = MapPlot(coverage, box);
    painter.save();
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, pen));
    painter.drawLine(QPointF(box.left(), plot.bottom), QPointF(box.right(), plot.bottom));
    for (std::size_t i = 0; i < plot.marks.size(); ++i) {
        const bool interval = plot.marks[i].interval;
        QPen markPen(interval ? kIntervalColour : Qt::black, pen);
        markPen.setStyle(interval ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(markPen);
        const QPointF top = plot.markTops[i];
        painter.drawLine(top, QPointF(top.x(), plot.bottom));
        const QRectF label(top.x() - 3.0 * labelHeight, top.y() - (interval ? 2.0 : 1.0) * labelHeight,
                           6.0 * labelHeight, labelHeight);
        painter.drawText(label, Qt::AlignCenter, QString::fromUtf8(plot.marks[i].label));
    }
    painter.setPen(QPen(kCurveColour, 1.5 * pen));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawPolyline(plot.curve);
    painter.restore();
}
