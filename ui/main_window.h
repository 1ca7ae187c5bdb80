#pragma once

#include <QMainWindow>

// The program's single working window. Constructing it loads it: every control is created and the
// start sequence runs, while the window stays hidden until the splash hands over.
class Main : public QMainWindow {
    Q_OBJECT

public:
    explicit Main(QWidget* parent = nullptr);
};
