// The About box: texts, their fit and the default button; non-modal, freed by OK, Enter or Esc and built
// afresh; "&End" with it open.

#include "tests/ui/ui_test_support.h"

#include "ui/info/about.h"
#include "ui/main/main_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

using tarvex::uitest::FindControl;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    // The texts name the program and its sensors, fit their labels, and OK is the default button.
    void texts() {
        About box;
        QCOMPARE(box.windowTitle(), QStringLiteral("Info about Measurement Uncertainty Analysis Tarvex"));
        const QLabel* description = FindControl<QLabel>(box, QStringLiteral("lblDescription"));
        const QLabel* disclaimer = FindControl<QLabel>(box, QStringLiteral("lblDisclaimer"));
        const QPushButton* ok = FindControl<QPushButton>(box, QStringLiteral("cmdOK"));
        QVERIFY(description->text().contains(QStringLiteral("Tarvex family of thermal sensors and diode")));
        QVERIFY(disclaimer->text().startsWith(
            QStringLiteral("Measurement Uncertainty Analysis Tarvex, Rev. 1.0")));
        for (const QLabel* label : {description, disclaimer}) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
        }
        QVERIFY(!disclaimer->geometry().intersects(ok->geometry()));
        QVERIFY(ok->isDefault());
    }

    void closeAndReopen_data() {
        QTest::addColumn<int>("key"); // 0: click on OK
        QTest::newRow("OK clicked") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    // A second "Info" while the box is open adds none; after closing, the next one builds a fresh box.
    void closeAndReopen() {
        QFETCH(int, key);
        Main main;
        QAction* info = FindControl<QAction>(main, QStringLiteral("frmInfo"));
        info->trigger();
        info->trigger();
        QCOMPARE(main.findChildren<About*>().size(), 1);
        QPointer<About> first = main.findChild<About*>();
        QVERIFY(first->isVisible() && !first->isModal() && QApplication::activeModalWidget() == nullptr);
        if (key == 0) {
            QTest::mouseClick(FindControl<QPushButton>(*first, QStringLiteral("cmdOK")), Qt::LeftButton);
        } else {
            QTest::keyClick(first, static_cast<Qt::Key>(key));
        }
        QTRY_VERIFY(first.isNull());
        info->trigger();
        const About* second = main.findChild<About*>();
        QVERIFY(second != nullptr && second->isVisible());
    }

    // Runs the real event loop until File > End ends it.
    void endWithAboutOpenEndsProgram() {
        Main main;
        main.show();
        FindControl<QAction>(main, QStringLiteral("frmInfo"))->trigger();
        QPointer<About> box = main.findChild<About*>();
        QVERIFY(!box.isNull() && box->isVisible());
        QTimer::singleShot(0, &main,
                           [&main] { FindControl<QAction>(main, QStringLiteral("mnuEnd"))->trigger(); });
        const QObject hung;
        QTimer::singleShot(2000, &hung, [] { QCoreApplication::exit(1); });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!main.isVisible() && (box.isNull() || !box->isVisible()));
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<AboutTest>(argc, argv);
}

#include "about_test.moc"
