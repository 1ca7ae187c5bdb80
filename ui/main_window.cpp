#include "ui/main_window.h"

Main::Main(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("Main"));
}
