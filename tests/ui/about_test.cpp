// The About box: its texts, that every text fits its label, the etched separator, and that OK, Enter
// and Esc all close it and free it.

#include "ui_test_support.h"

#include "ui/about.h"
#include "ui/main_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using tarvex::uitest::FindControl;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            windows.append(widget);
        }
        for (const QPointer<QWidget>& window : windows) {
            delete window.data();
        }
    }

    void texts() {
        About box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Info about Measurement Uncertainty Analysis Tarvex"));
        QVERIFY(!box.isModal());
        QVERIFY(box.minimumSize() == box.maximumSize());

        auto* description = FindControl<QLabel>(box, QStringLiteral("lblDescription"));
        QVERIFY(description != nullptr);
        QCOMPARE(
            description->text(),
            QStringLiteral("The program is used to determine inevitable measurement uncertainties that "
                           "arise when using power meters. It specially covers the Orvanta Tarvex family "
                           "of thermal sensors and diode sensors for high-precision power measurements "
                           "as well as the compatible basic units BX-20, BX-10 and VX-30."));
        QVERIFY(description->wordWrap());
        QCOMPARE(description->palette().color(QPalette::WindowText), QColor(Qt::black));

        auto* disclaimer = FindControl<QLabel>(box, QStringLiteral("lblDisclaimer"));
        QVERIFY(disclaimer != nullptr);
        QVERIFY(disclaimer->text().startsWith(
            QStringLiteral("Measurement Uncertainty Analysis Tarvex, Rev. 1.0")));

        auto* ok = FindControl<QPushButton>(box, QStringLiteral("cmdOK"));
        QVERIFY(ok != nullptr);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
    }

    // Word-wrapped, each label's text needs no more room than the label has; the button's caption
    // likewise.
    void everyTextFits() {
        About box;
        box.show();
        const QList<QLabel*> labels = box.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        for (const QLabel* label : labels) {
            const QRect room = label->contentsRect();
            const QRect needed =
                label->fontMetrics().boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text());
            QVERIFY2(needed.height() <= room.height() && needed.width() <= room.width(),
                     qPrintable(label->objectName() + QStringLiteral(" needs %1 x %2, has %3 x %4")
                                                          .arg(needed.width())
                                                          .arg(needed.height())
                                                          .arg(room.width())
                                                          .arg(room.height())));
        }
        const auto* ok = FindControl<QPushButton>(box, QStringLiteral("cmdOK"));
        QVERIFY(ok->fontMetrics().horizontalAdvance(ok->text()) + 8 <= ok->width());
        QVERIFY(ok->fontMetrics().height() + 4 <= ok->height());
    }

    // The separator is a grey line with a white one right under it.
    void etchedSeparator() {
        About box;
        box.show();
        const QWidget* line = FindControl<QWidget>(box, QStringLiteral("Line1"));
        QVERIFY(line != nullptr);
        QVERIFY(line->width() > box.width() * 9 / 10);
        const QImage picture = box.grab().toImage();
        const int x = line->x() + line->width() / 2;
        QCOMPARE(QColor(picture.pixel(x, line->y())), QColor(0x80, 0x80, 0x80));
        QCOMPARE(QColor(picture.pixel(x, line->y() + line->height() - 1)), QColor(Qt::white));
    }

    void closesAndFreesItself_data() {
        QTest::addColumn<int>("key"); // 0: click on OK
        QTest::newRow("OK clicked") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void closesAndFreesItself() {
        QFETCH(int, key);
        QPointer<About> box = new About;
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box));
        if (key == 0) {
            QTest::mouseClick(FindControl<QPushButton>(*box, QStringLiteral("cmdOK")), Qt::LeftButton);
        } else {
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        }
        QTRY_VERIFY(box.isNull());
    }

    // From the main window's Info menu: non-modal, brought forward while open, and built afresh after OK.
    void reopeningAfterOkGivesFreshBox() {
        Main main;
        main.show();
        QAction* info = FindControl<QAction>(main, QStringLiteral("frmInfo"));
        QVERIFY(info != nullptr);

        info->trigger();
        QPointer<About> first = main.findChild<About*>();
        QVERIFY(!first.isNull());
        QVERIFY(first->isVisible());
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        info->trigger();
        QCOMPARE(main.findChildren<About*>().size(), 1);

        QTest::mouseClick(FindControl<QPushButton>(*first, QStringLiteral("cmdOK")), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());
        QVERIFY(main.isVisible());

        info->trigger();
        const QList<About*> boxes = main.findChildren<About*>();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes.first()->isVisible());
    }

    // File > End with the About box open: every window closes and the event loop ends. Runs the real
    // event loop, so it comes last.
    void endWithAboutOpenEndsProgram() {
        auto* main = new Main;
        main->show();
        FindControl<QAction>(*main, QStringLiteral("frmInfo"))->trigger();
        QPointer<About> box = main->findChild<About*>();
        QVERIFY(!box.isNull() && box->isVisible());

        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        QTimer::singleShot(0, main,
                           [main] { FindControl<QAction>(*main, QStringLiteral("mnuEnd"))->trigger(); });
        QTimer safety;
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, &safety, [] { QCoreApplication::exit(1); });
        safety.start(2000);

        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(quitting.count(), 1);
        QVERIFY(!main->isVisible());
        QVERIFY(box.isNull() || !box->isVisible());
        delete main;
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<AboutTest>(argc, argv);
}

#include "about_test.moc"
