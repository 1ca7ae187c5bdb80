#pragma once

#include <QPointer>
#include <QScrollBar>

class QLabel;
class QPaintEvent;
class QWheelEvent;

// A vertical scroll bar whose positions are the values of an input, with a top end (Min) and a bottom
// end (Max) that may be the larger or the smaller number. value() is the position itself: on the level
// bar position 0 is 0 dBm, on the frequency bar position 1818 is 18 GHz.
//
// Use setMin/setMax instead of QScrollBar's setMinimum/setMaximum/setRange: they keep the top-bottom
// orientation. Changing an end keeps a position that lies inside the new range and moves one outside to
// the nearer end; that move emits valueChanged like a move by the user. The up arrow, the page area
// above the thumb, Up, PageUp, Home and the wheel all move towards the top end, whichever number it is.
class PositionScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit PositionScrollBar(QWidget* parent = nullptr);

    int Min() const { return m_top; }    // position at the top end
    int Max() const { return m_bottom; } // position at the bottom end
    void setMin(int top);
    void setMax(int bottom);

    void setSmallChange(int step) { setSingleStep(step); } // arrows and Up/Down keys
    void setLargeChange(int step) { setPageStep(step); }   // page areas and PageUp/PageDown

    // The label that shows this bar's value as a quantity ("18.00 GHz"); screen readers are given its
    // text as the bar's value. Without one, the value is the position as a number.
    void setReadout(const QLabel* readout);
    QString readoutText() const;

protected:
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool topIsLarger() const { return m_top > m_bottom; }
    void applyEnds();
    void steerTowardsTop(int action);

    int m_top = 0;
    int m_bottom = 100;
    QPointer<const QLabel> m_readout;
};
