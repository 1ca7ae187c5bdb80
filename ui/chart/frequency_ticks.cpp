#include "ui/chart/frequency_ticks.h"

#include <QChart>
#include <QGraphicsSimpleTextItem>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLowestDecade = -4; // 100 kHz (10^-4 GHz), the lowest non-zero position of the frequency bar
constexpr qreal kLabelGap = 3.0;  // pixels between the plot area and a label, and between labels

} // namespace

std::vector<double> FrequencyTickValues(double lowestGHz, double highestGHz) {
    std::vector<double> values;
    if (!(lowestGHz > 0.0) || !(highestGHz >= lowestGHz)) {
        return values;
    }
    values.push_back(lowestGHz);
    for (int exponent = kLowestDecade; std::pow(10.0, exponent) < highestGHz; ++exponent) {
        const double decade = std::pow(10.0, exponent);
        if (decade > lowestGHz) {
            values.push_back(decade);
        }
    }
    if (highestGHz > lowestGHz) {
        values.push_back(highestGHz);
    }
    return values;
}

FrequencyTicks::FrequencyTicks(QChart* chart)
    : m_chart(chart) {}

void FrequencyTicks::setTicks(const std::vector<double>& valuesGHz,
                              const std::function<QString(double)>& text) {
    while (m_labels.size() < static_cast<qsizetype>(valuesGHz.size())) {
        m_labels.append(new QGraphicsSimpleTextItem(m_chart));
        m_labels.last()->setBrush(m_brush);
    }
    for (qsizetype i = 0; i < m_labels.size(); ++i) {
        const bool used = i < static_cast<qsizetype>(valuesGHz.size());
        m_labels[i]->setText(used ? text(valuesGHz[static_cast<std::size_t>(i)]) : QString());
        m_labels[i]->setVisible(used);
    }
    m_values = valuesGHz;
}

void FrequencyTicks::setTextBrush(const QBrush& brush) {
    m_brush = brush;
    for (QGraphicsSimpleTextItem* label : m_labels) {
        label->setBrush(brush);
    }
}

// The band's ends are placed first; a decade label goes only where it keeps clear of those placed.
void FrequencyTicks::place(const std::function<double(double)>& position, double top) {
    const auto count = static_cast<qsizetype>(m_values.size());
    QList<QRectF> taken;
    for (qsizetype pass = 0; pass < 2; ++pass) {
        for (qsizetype i = 0; i < count; ++i) {
            const bool end = i == 0 || i == count - 1;
            if (end != (pass == 0)) {
                continue;
            }
            QGraphicsSimpleTextItem* label = m_labels[i];
            const QRectF box = label->boundingRect();
            const qreal left = position(m_values[static_cast<std::size_t>(i)]) - box.width() / 2.0;
            const QRectF at(QPointF(left, top + kLabelGap), box.size());
            const bool clear = std::ranges::none_of(taken, [&at](const QRectF& other) {
                return other.adjusted(-kLabelGap, 0, kLabelGap, 0).intersects(at);
            });
            label->setVisible(clear);
            if (clear) {
                label->setPos(at.topLeft());
                taken.append(at);
            }
        }
    }
}
