#pragma once

#include <QPointer>
#include <QWidget>

class Main;
class QLabel;
class QTimer;

// The splash window that opens the program. Constructing it loads it: it creates the main window,
// which runs its start sequence while hidden, and arms a 3 s one-shot timer. When the timer fires, or
// when the picture is clicked, the main window is shown and the splash closes and deletes itself. The
// main window is a top-level window of its own and outlives the splash.
class Startbild : public QWidget {
    Q_OBJECT

public:
    explicit Startbild(QWidget* parent = nullptr);

    // How long the picture stays before the main window takes over.
    static constexpr int kShowTimeMs = 3000;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createWidgets();
    void showMainAndUnload();

    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    QPointer<Main> m_main;
    bool m_handedOver = false;
};
