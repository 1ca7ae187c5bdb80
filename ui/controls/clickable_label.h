#pragma once

#include <QLabel>

class QMouseEvent;

// A label that reacts to a click with the left mouse button (pressed and released over the label), as
// the row captions that switch the mismatch mode and the linearity treatment do.
class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickableLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};
