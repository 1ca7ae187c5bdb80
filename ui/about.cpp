#include "ui/about.h"

About::About(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
}
