// The splash: the hidden main window it loads; the hand-over by tick or click happens once.

#include "tests/ui/ui_test_support.h"

#include "ui/info/startbild.h"
#include "ui/main/main_window.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

using tarvex::uitest::FindControl;

static Main* FindMain() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<Main*>(widget)) {
            return main;
        }
    }
    return nullptr;
}

class StartbildTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { delete FindMain(); }

    // When the splash shows, the main window is hidden but has run its start sequence (TS-301: 18 GHz).
    void loadLeavesHiddenMainInStartState() {
        Startbild splash;
        splash.show();
        const Main* main = FindMain();
        QVERIFY(main != nullptr && main->parent() == nullptr && !main->isVisible());
        QCOMPARE(FindControl<QLabel>(*main, QStringLiteral("lbl_Frequency"))->text(),
                 QStringLiteral("18.00 GHz"));
        const auto* timer = FindControl<QTimer>(splash, QStringLiteral("Timer1"));
        QVERIFY(timer->isActive() && timer->isSingleShot());
        QCOMPARE(timer->interval(), 3000);
        // The picture, decoded on a thread of its own, is there from the first paint on.
        const QImage firstPaint = splash.grab().toImage();
        QCOMPARE(FindControl<QLabel>(splash, QStringLiteral("Image1"))->pixmap().size(), QSize(761, 600));
        QCOMPARE(firstPaint.pixelColor(10, 10), Startbild::PictureImage(1.0).pixelColor(10, 10));
    }

    void handOverHappensOnce_data() {
        QTest::addColumn<int>("how"); // 0: the timer ticks, 1: a click on the picture, else a key
        QTest::newRow("timer tick") << 0;
        QTest::newRow("click on the picture") << 1;
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }

    // A tick after the hand-over (the splash is closed but not yet deleted) shows nothing.
    void handOverHappensOnce() {
        QFETCH(int, how);
        QPointer<Startbild> splash = new Startbild;
        splash->show();
        Main* main = FindMain();
        auto* timer = FindControl<QTimer>(*splash, QStringLiteral("Timer1"));
        if (how == 1) {
            QTest::mouseClick(FindControl<QLabel>(*splash, QStringLiteral("Image1")), Qt::LeftButton);
        } else if (how == 0) {
            QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        } else {
            QVERIFY(QTest::qWaitForWindowActive(splash) && splash->hasFocus());
            QTest::keyClick(splash, static_cast<Qt::Key>(how));
            QTest::keyClick(splash, static_cast<Qt::Key>(how)); // the second finds the hand-over done
        }
        QVERIFY(main->isVisible() && !splash.isNull());
        main->hide();
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QVERIFY(!main->isVisible());
        QTRY_VERIFY(splash.isNull());
    }

    // Above 1x the picture has the screen's device pixels for the same 761 x 600 logical size.
    void pictureSharpAtEveryRatio() {
        for (const auto& [ratio, device] : {std::pair{1.0, QSize(761, 600)}, std::pair{1.5, QSize(1142, 900)},
                                            std::pair{2.0, QSize(1522, 1200)}}) {
            const QPixmap picture = Startbild::Picture(ratio);
            QCOMPARE(picture.size(), device);
            QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(761, 600));
        }
    }

    // Closed before the hand-over, the splash takes the hidden main window with it; the program ends.
    void closingSplashEarlyEndsProgram() {
        QPointer<Startbild> splash = new Startbild;
        splash->show();
        QPointer<Main> main = FindMain();
        QTimer::singleShot(0, splash, [splash] { splash->close(); });
        const QObject hung;
        QTimer::singleShot(2000, &hung, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QTRY_VERIFY(splash.isNull() && main.isNull());
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<StartbildTest>(argc, argv);
}

#include "startbild_test.moc"
