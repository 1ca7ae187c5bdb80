#pragma once

#include <QDialog>

// The About box: what the program is for, and a notice with its title and revision.
class About : public QDialog {
    Q_OBJECT

public:
    explicit About(QWidget* parent = nullptr);
};
