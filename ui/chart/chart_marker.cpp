#include "ui/chart/chart_marker.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QPen>

namespace {

constexpr qreal kLabelGap = 4.0; // pixels between the line and its label
constexpr qreal kLabelZ = 10.0;  // labels above the curves

} // namespace

ChartMarker::ChartMarker(QChart* chart)
    : m_chart(chart)
    , m_line(new QLineSeries)
    , m_label(new QGraphicsSimpleTextItem(chart))
    , m_zeroLabel(new QGraphicsSimpleTextItem(chart)) {
    m_line->setObjectName(QStringLiteral("marker"));
    m_label->setZValue(kLabelZ);
    m_zeroLabel->setZValue(kLabelZ);
    m_zeroLabel->hide();
}

void ChartMarker::setLabel(const QString& text) {
    m_label->setText(text);
}

void ChartMarker::setZeroLabel(const QString& text, bool shown) {
    m_zeroLabel->setText(text);
    m_zeroLabel->setVisible(shown);
}

// A chart theme gives every series its own colour; the marker stays a grey dashed line.
void ChartMarker::setTextBrush(const QBrush& brush) {
    m_line->setPen(QPen(Qt::darkGray, 1.0, Qt::DashLine));
    m_label->setBrush(brush);
    m_zeroLabel->setBrush(brush);
}

// The label stands right of the line, or left of it where the plot area ends.
void ChartMarker::place(double x, double bottom, double top, double zeroX) {
    m_line->replace(QList<QPointF>{{x, bottom}, {x, top}});
    const QRectF area = m_chart->plotArea();
    const QPointF upper = m_chart->mapToPosition(QPointF(x, top), m_line);
    const qreal width = m_label->boundingRect().width();
    const qreal right = upper.x() + kLabelGap;
    m_label->setPos(right + width <= area.right() ? right : upper.x() - kLabelGap - width, upper.y() + 2.0);
    const QPointF zero = m_chart->mapToPosition(QPointF(zeroX, bottom), m_line);
    m_zeroLabel->setPos(zero.x() + 3.0, zero.y() - m_zeroLabel->boundingRect().height() - 2.0);
}
