#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QTextBrowser;

// The help window frmHelp: how to describe a measurement, the influence quantities, how they combine,
// the settings, the keyboard and what the program leaves out, as HTML compiled into the program.
// Non-modal beside the main window; Esc or the close box closes it.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

private:
    QTextBrowser* m_browser = nullptr;
};

// Adds "&Help" (mnuHelp, F1) to the window's "&Info" menu, above `before` ("About"); it opens the help
// window, or brings it forward when it is open.
void AddHelp(QWidget& window, QMenu& infoMenu, QAction* before);
