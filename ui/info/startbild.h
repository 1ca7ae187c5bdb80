#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <future>

class Main;
class QLabel;
class QTimer;

// The splash window that opens the program. Constructing it loads it: it creates the main window,
// which runs its start sequence while hidden, and arms a 3 s one-shot timer. When the timer fires, or
// when the picture is clicked or Esc, Enter or Space is pressed, the main window is shown and the
// splash closes and deletes itself. The main window is a top-level window of its own and outlives the
// splash. The picture is decoded on a thread of its own while the main window is built and the splash
// is mapped; its first paint waits for it, so the picture is there from the first frame.
class Startbild : public QWidget {
    Q_OBJECT

public:
    explicit Startbild(QWidget* parent = nullptr);

    // How long the picture stays before the main window takes over.
    static constexpr int kShowTimeMs = 3000;

    // The picture for a screen of the given device pixel ratio: 761 x 600 logical pixels, drawn from
    // a rendering with at least as many device pixels.
    static QPixmap Picture(qreal devicePixelRatio);
    // The same as an image, which any thread may decode.
    static QImage PictureImage(qreal devicePixelRatio);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createWidgets();
    void showMainAndUnload();
    void takePicture();

    QLabel* Image1 = nullptr;
    QTimer* Timer1 = nullptr;
    std::future<QImage> m_picture; // valid until Image1 has taken it
    QPointer<Main> m_main;
    bool m_handedOver = false;
};
