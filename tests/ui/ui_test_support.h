#pragma once

// Shared set-up for the window tests: every test program runs on the offscreen platform, with the
// program's accessible interfaces installed as main() installs them, the locale pinned to English (United
// States) so that decimal points are '.', and with a guard that turns a stray modal dialog or popup menu into
// a test failure instead of a test that hangs forever.
//
// Use:
//     int main(int argc, char** argv) { return tarvex::uitest::RunUiTest<MyWindowTest>(argc, argv); }

#include "ui/accessibility/accessibility.h"

#include <QApplication>
#include <QByteArray>
#include <QLocale>
#include <QObject>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace tarvex::uitest {

// The locale every window test starts from; a test that needs another one sets it with
// QLocale::setDefault and restores this one afterwards.
inline QLocale PinnedLocale() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

inline void PinLocale() {
    QLocale::setDefault(PinnedLocale());
}

// Watches for modal dialogs and popup menus while a test runs. The program itself opens none (the
// About box is non-modal), so any that appears is a fault: it is recorded as a failure of the running
// test function and closed, so that the nested event loop returns and the test run goes on.
class ModalLoopGuard : public QObject {
public:
    explicit ModalLoopGuard(QObject* parent = nullptr, int intervalMs = 100)
        : QObject(parent) {
        m_timer.setInterval(intervalMs);
        connect(&m_timer, &QTimer::timeout, this, &ModalLoopGuard::check);
        m_timer.start();
    }

private:
    void check() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            fail("modal window", modal);
            modal->close();
        }
        if (QWidget* popup = QApplication::activePopupWidget()) {
            fail("popup", popup);
            popup->close();
        }
    }

    void fail(const char* what, const QWidget* widget) {
        const QByteArray message = QByteArray("A stray ") + what +
                                   " was open and has been closed: " + widget->metaObject()->className() +
                                   " \"" + widget->objectName().toUtf8() + "\" (" +
                                   widget->windowTitle().toUtf8() + ")";
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    }

    QTimer m_timer;
};

// The main function of a window test program: forces the offscreen platform (before the application
// object exists, as Qt reads it then) and a fixed 96 dpi, so that the same fonts and sizes come out on
// every machine; creates the application, pins the locale, installs the modal guard and runs the tests.
template <typename TestObject> int RunUiTest(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication app(argc, argv);
    InstallAccessibleInterfaces();
    PinLocale();
    ModalLoopGuard guard;
    TestObject test;
    return QTest::qExec(&test, argc, argv);
}

// A control by its object name, searched among all descendants of root, as an outside script finds it.
template <typename Control> Control* FindControl(const QObject& root, const QString& name) {
    return root.findChild<Control*>(name, Qt::FindChildrenRecursively);
}

} // namespace tarvex::uitest
