// The splash window: what its load leaves behind, and the hand-over to the main window by timer or by
// a click on the picture, each happening exactly once.

#include "ui_test_support.h"

#include "ui/startbild.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

using tarvex::uitest::FindControl;

namespace {

// The main window is a top-level window of its own, not a child of the splash.
QWidget* FindMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("Main")) {
            return widget;
        }
    }
    return nullptr;
}

// Counts how often a window is shown.
class ShowCounter : public QObject {
public:
    using QObject::QObject;
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            ++count;
        }
        return false;
    }
};

} // namespace

class StartbildTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        // Every window a test leaves behind goes, so that the next test finds only its own.
        QList<QPointer<QWidget>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            windows.append(widget);
        }
        for (const QPointer<QWidget>& window : windows) {
            delete window.data(); // a window's own child windows go with it
        }
    }

    void loadCreatesHiddenMainAndArmsTimer() {
        auto* splash = new Startbild;
        QWidget* main = FindMainWindow();
        QVERIFY(main != nullptr);
        QVERIFY(main->parent() == nullptr);
        QVERIFY(!main->isVisible());

        auto* timer = FindControl<QTimer>(*splash, QStringLiteral("Timer1"));
        QVERIFY(timer != nullptr);
        QVERIFY(timer->isActive());
        QVERIFY(timer->isSingleShot());
        QCOMPARE(timer->interval(), 3000);

        // The start sequence has already run: TS-301 pulled the frequency back to its 18 GHz limit.
        auto* frequency = FindControl<QLabel>(*main, QStringLiteral("lbl_Frequency"));
        QVERIFY(frequency != nullptr);
        QCOMPARE(frequency->text(), QStringLiteral("18.00 GHz"));
    }

    void windowAndPicture() {
        auto* splash = new Startbild;
        QCOMPARE(splash->windowTitle(), QStringLiteral("Measurement Uncertainty Tarvex, Rev. 1.0"));
        QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash->minimumSize(), QSize(760, 600));
        QCOMPARE(splash->maximumSize(), QSize(760, 600));

        auto* image = FindControl<QLabel>(*splash, QStringLiteral("Image1"));
        QVERIFY(image != nullptr);
        QCOMPARE(image->geometry(), QRect(0, 0, 761, 600));
        // The JPEG is compiled in and decodes to the full picture.
        QCOMPARE(image->pixmap().size(), QSize(761, 600));
    }

    void handOverHappensOnce_data() {
        QTest::addColumn<bool>("byClick");
        QTest::newRow("timer tick") << false;
        QTest::newRow("click on the picture") << true;
    }

    void handOverHappensOnce() {
        QFETCH(bool, byClick);
        QPointer<Startbild> splash = new Startbild;
        splash->show();
        QWidget* main = FindMainWindow();
        QVERIFY(main != nullptr);
        ShowCounter shows;
        main->installEventFilter(&shows);

        // A short interval instead of 3 s: the timer itself is the one the splash armed.
        auto* timer = FindControl<QTimer>(*splash, QStringLiteral("Timer1"));
        timer->setInterval(byClick ? 150 : 20);
        QVERIFY(!main->isVisible());

        if (byClick) {
            QTest::mouseClick(FindControl<QLabel>(*splash, QStringLiteral("Image1")), Qt::LeftButton);
            QVERIFY(main->isVisible());
        } else {
            QTRY_VERIFY(main->isVisible());
        }
        QTRY_VERIFY(splash.isNull());

        // Nothing follows: a tick that was due after the click finds no splash and shows nothing.
        main->hide();
        QTest::qWait(250);
        QVERIFY(!main->isVisible());
        QCOMPARE(shows.count, 1);
    }

    // Under the running event loop: the splash closing must not end the program, since the main window
    // is shown first.
    void programKeepsRunningAfterHandOver() {
        QPointer<Startbild> splash = new Startbild;
        splash->show();
        QWidget* main = FindMainWindow();
        FindControl<QTimer>(*splash, QStringLiteral("Timer1"))->setInterval(20);

        bool stillRunning = false;
        QTimer probe;
        probe.setSingleShot(true);
        connect(&probe, &QTimer::timeout, &probe, [&stillRunning] {
            stillRunning = true;
            QCoreApplication::exit(0);
        });
        probe.start(400);
        QCoreApplication::exec();

        QVERIFY(stillRunning);
        QVERIFY(splash.isNull());
        QVERIFY(main->isVisible());
    }

    // Closed before the hand-over (by the window manager, say), the splash takes the hidden main window
    // with it and the program ends instead of running on with no window to see.
    void closingSplashEarlyEndsProgram() {
        QPointer<Startbild> splash = new Startbild;
        splash->show();
        QPointer<QWidget> main = FindMainWindow();
        QVERIFY(!main.isNull());

        QTimer::singleShot(0, splash, [splash] { splash->close(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, &safety, [] { QCoreApplication::exit(1); });
        safety.start(2000);
        QCOMPARE(QCoreApplication::exec(), 0);

        QTRY_VERIFY(splash.isNull());
        QTRY_VERIFY(main.isNull());
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<StartbildTest>(argc, argv);
}

#include "startbild_test.moc"
