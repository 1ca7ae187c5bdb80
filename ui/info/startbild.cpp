#include "ui/info/startbild.h"

#include "budget/program_info.h"
#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

namespace {

// The client area is 760 x 600 pixels; the picture is one pixel wider and simply overhangs the edge.
constexpr QSize kWindowSize(760, 600);
constexpr QRect kImageRect(0, 0, 761, 600);

const QString kPicture = QStringLiteral(":/tarvex/startbild.jpg");
const QString kPicture2x = QStringLiteral(":/tarvex/startbild@2x.jpg"); // the same drawing, 1522 x 1200

} // namespace

Startbild::Startbild(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Startbild"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Qt leaves splash windows out of "last window closed"; this one is the program's only visible
    // window until the hand-over, so closing it early must end the program.
    setAttribute(Qt::WA_QuitOnClose, true);
    // The splash's own shorter wording of the title, with the program's revision.
    setWindowTitle(QStringLiteral("Measurement Uncertainty Tarvex, Rev. ") +
                   ToQString(tarvex::kProgramRevision));
    setFixedSize(kWindowSize);
    setFocusPolicy(Qt::StrongFocus); // the keys that skip the picture
    // Decoding the picture (some 10 ms at 2x) overlaps building the main window and mapping the splash.
    m_picture = std::async(std::launch::async, &Startbild::PictureImage, devicePixelRatioF());
    createWidgets();

    // Load: the main window is complete (lists filled, budget evaluated) before the splash is seen.
    Timer1->stop();
    m_main = new Main;
    Timer1->setInterval(kShowTimeMs);
    Timer1->start();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), kWindowSize);
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Startbild::createWidgets() {
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kImageRect);
    Image1->installEventFilter(this); // its first paint takes the picture

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Startbild::showMainAndUnload);
}

// At 1x the picture as it is; above, the 2x rendering, brought to the screen's exact device size by
// smooth scaling so that 1.5x is as sharp as 2x. Only a screen above 1x pays for the larger picture.
QImage Startbild::PictureImage(qreal devicePixelRatio) {
    if (devicePixelRatio <= 1.0) {
        return QImage(kPicture);
    }
    QImage picture(kPicture2x);
    const QSize device = (QSizeF(kImageRect.size()) * devicePixelRatio).toSize();
    if (picture.size() != device) {
        picture = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}

QPixmap Startbild::Picture(qreal devicePixelRatio) {
    return QPixmap::fromImage(PictureImage(devicePixelRatio));
}

// Waits for the decoding thread if it is not done yet; once only.
void Startbild::takePicture() {
    if (m_picture.valid()) {
        Image1->setPixmap(QPixmap::fromImage(m_picture.get()));
    }
}

// The splash takes the keyboard, so that a key can skip it as a click does.
void Startbild::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Startbild::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        showMainAndUnload();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool Startbild::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::Paint) {
        takePicture();
    }
    // A click on the picture: the left button released over it.
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint())) {
            showMainAndUnload();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The hand-over happens once: whichever of tick, click and key comes first stops the timer and closes the
// splash; anything after that finds m_handedOver set.
void Startbild::showMainAndUnload() {
    if (m_handedOver) {
        return;
    }
    m_handedOver = true;
    Timer1->stop();
    if (!m_main) {
        m_main = new Main;
    }
    // The picture is not needed any more; dropping it now keeps it and the main window's first
    // paint from adding up. The main window is shown before the splash closes, so that there is a
    // window on the screen at every moment.
    m_picture = {}; // waits for a decoding still under way
    Image1->clear();
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    close();
}

// Closed from outside before the hand-over (by the window manager, say): the program ends with it
// rather than keep a main window that nobody can see or close.
void Startbild::closeEvent(QCloseEvent* event) {
    if (!m_handedOver) {
        Timer1->stop();
        if (m_main) {
            m_main->deleteLater();
        }
    }
    QWidget::closeEvent(event);
}
