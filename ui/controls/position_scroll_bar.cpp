#include "ui/controls/position_scroll_bar.h"

#include <QLabel>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

PositionScrollBar::PositionScrollBar(QWidget* parent)
    : QScrollBar(Qt::Vertical, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setTracking(true); // a drag moves the position, and so the read-outs and results, with the thumb
    setSingleStep(1);
    connect(this, &QAbstractSlider::actionTriggered, this, &PositionScrollBar::steerTowardsTop);
    applyEnds();
}

void PositionScrollBar::setMin(int top) {
    m_top = top;
    applyEnds();
}

void PositionScrollBar::setMax(int bottom) {
    m_bottom = bottom;
    applyEnds();
}

// QScrollBar always has its smaller number at the top. When the top end is the larger number the bar is
// drawn upside down, so the thumb sits where the position belongs; setRange clamps an outside
// position to the nearer end and emits valueChanged if it moved.
void PositionScrollBar::applyEnds() {
    setInvertedAppearance(topIsLarger());
    setRange(std::min(m_top, m_bottom), std::max(m_top, m_bottom));
}

// Arrows, page areas and keys ask for "towards the smaller number" when they mean "up" (QScrollBar
// inverts its keys for that). Upside down, up is towards the larger number: turn the request round.
// The position has already been moved by the request but not yet published, so value() is still the
// position before it.
void PositionScrollBar::steerTowardsTop(int action) {
    if (!topIsLarger()) {
        return;
    }
    switch (static_cast<SliderAction>(action)) {
    case SliderSingleStepAdd:
        setSliderPosition(value() - singleStep());
        break;
    case SliderSingleStepSub:
        setSliderPosition(value() + singleStep());
        break;
    case SliderPageStepAdd:
        setSliderPosition(value() - pageStep());
        break;
    case SliderPageStepSub:
        setSliderPosition(value() + pageStep());
        break;
    case SliderToMinimum:
        setSliderPosition(maximum());
        break;
    case SliderToMaximum:
        setSliderPosition(minimum());
        break;
    default:
        break; // a drag or a wheel turn already follows the drawing
    }
}

// The wheel reports a plain move, so it cannot be turned round afterwards; upside down, scrolling up
// must raise the number instead of lowering it.
void PositionScrollBar::wheelEvent(QWheelEvent* event) {
    const bool inverted = invertedControls();
    setInvertedControls(inverted != topIsLarger());
    QScrollBar::wheelEvent(event);
    setInvertedControls(inverted);
}

void PositionScrollBar::setReadout(const QLabel* readout) {
    m_readout = readout;
}

QString PositionScrollBar::readoutText() const {
    return m_readout.isNull() ? QString::number(value()) : m_readout->text();
}

// The style draws no focus on a scroll bar, so a keyboard user could not see which bar the arrow keys
// move. A frame in the palette's highlight colour marks it, two pixels wide so that it stands out from
// the bar's own border in light and dark palettes alike.
void PositionScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    constexpr int kFrameWidth = 2;
    QPen pen(palette().color(QPalette::Highlight), kFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0, -kFrameWidth / 2.0,
                                             -kFrameWidth / 2.0));
}
