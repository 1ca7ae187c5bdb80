#pragma once

#include <QLabel>

// A label that shows a value: an input's read-out or a result of the budget. Screen readers hear the
// caption it stands beside as its name and the text it shows as its value (ui/accessibility/).
class ValueLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;
};
