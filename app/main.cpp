// Starts the program: the splash window creates the main window and hands over to it. The program ends
// when its last window closes, or at once with File > End.

#include "budget/program_info.h"
#include "ui/accessibility/accessibility.h"
#include "ui/controls/qt_text.h"
#include "ui/info/startbild.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Tarvex"));
    QApplication::setOrganizationDomain(QStringLiteral("tarvex.org"));
    QApplication::setApplicationName(ToQString(tarvex::kApplicationName));
    QApplication::setApplicationVersion(ToQString(tarvex::kProgramRevision));
    // Lets the desktop match the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarvex.uncertainty_analysis"));

    QIcon icon;
    icon.addFile(QStringLiteral(":/tarvex/tarvex-uncertainty-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/tarvex/tarvex-uncertainty-32.png"), QSize(32, 32));
    QApplication::setWindowIcon(icon);

    InstallAccessibleInterfaces(); // before the first window: Qt keeps an interface once made

    auto* splash = new Startbild; // closes and deletes itself when it hands over
    splash->show();
    const int status = QApplication::exec();

    // Windows still loaded at the end (the main window after File > End) are freed before the
    // application object; a window's own child windows, such as the About box, go with it.
    QWidgetList loaded;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->parentWidget() == nullptr) {
            loaded.append(window);
        }
    }
    qDeleteAll(loaded);
    return status;
}
