#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QWidget;

// The About box: what the program is for, and a notice with its title and revision. Non-modal; OK,
// Enter and Esc close it and it deletes itself, so the next "About" builds a fresh one.
class About : public QDialog {
    Q_OBJECT

public:
    explicit About(QWidget* parent = nullptr);

private:
    void createWidgets();

    QLabel* lblDescription = nullptr;
    QWidget* Line1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
};
