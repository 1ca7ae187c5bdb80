#include "ui/info/help_window.h"

#include "budget/program_info.h"
#include "ui/controls/qt_text.h"

#include <QAction>
#include <QMenu>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QUrl kHelpPage(QStringLiteral("qrc:/tarvex/help.html"));

// Wide enough for the formulas on one line, tall enough for a section at a time.
constexpr QSize kHelpSize(640, 560);

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help: ") + ToQString(tarvex::kProgramName));
    resize(kHelpSize);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(false);
    m_browser->setSource(kHelpPage);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);

    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void AddHelp(QWidget& window, QMenu& infoMenu, QAction* before) {
    auto* help = new QAction(QStringLiteral("&Help"), &window);
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    infoMenu.insertAction(before, help);

    // One help window at a time; it deletes itself when closed and the next request builds it afresh.
    QObject::connect(help, &QAction::triggered, &window, [&window] {
        auto* shown = window.findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
        if (shown == nullptr || !shown->isVisible()) {
            shown = new HelpWindow(&window);
        }
        shown->show();
        shown->raise();
        shown->activateWindow();
    });
}
