// The help page against the main window: every action's text and shortcut and every menu's Alt key stand
// in it, so that a menu item cannot go undocumented; and every link of its contents leads to a section.

#include "tests/ui/ui_test_support.h"

#include "ui/info/help_window.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTextBrowser>

using tarvex::uitest::FindControl;

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    // Separators and untitled actions aside, every action of the window, in menus or not (Shift+F1).
    void namesEveryActionShortcutAndMenuKey() {
        const Main window;
        const HelpWindow help;
        const QString page = FindControl<QTextBrowser>(help, QStringLiteral("txtHelp"))->toPlainText();
        qsizetype checked = 0;
        for (const QAction* action : window.findChildren<QAction*>()) {
            if (action->isSeparator() || action->text().isEmpty()) {
                continue;
            }
            const QString text = action->text();
            const QString shortcut = action->shortcut().toString(QKeySequence::NativeText);
            QVERIFY2(page.contains(QString(text).remove(QLatin1Char('&'))), qPrintable(text));
            QVERIFY2(page.contains(shortcut), qPrintable(text + QLatin1Char(' ') + shortcut));
            const qsizetype mnemonic = text.indexOf(QLatin1Char('&'));
            if (action->menu() != nullptr && mnemonic >= 0) {
                const QString key = QStringLiteral("Alt+") + text.at(mnemonic + 1).toUpper();
                QVERIFY2(page.contains(key), qPrintable(key));
            }
            ++checked;
        }
        QVERIFY(checked >= 15); // the five menus and their items at the least
    }

    void contentsLinksLeadToSections() {
        QFile file(QStringLiteral(":/tarvex/help.html"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
        qsizetype links = 0;
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QString target = match.captured(1);
            QVERIFY2(html.contains(QStringLiteral("<a name=\"%1\">").arg(target)), qPrintable(target));
            ++links;
        }
        QVERIFY(links >= 10);
    }
};

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<HelpTest>(argc, argv);
}

#include "help_test.moc"
