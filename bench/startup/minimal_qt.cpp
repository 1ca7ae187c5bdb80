// The floor for the start-up benchmark: a Qt Widgets program that does as little as a window can, a
// 760 x 600 main window with a few labels, the size of the program's first window.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QVBoxLayout>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    for (const char* text : {"Frequency", "18.00 GHz", "Level", "0 dBm", "Expanded Uncertainty"}) {
        layout->addWidget(new QLabel(QString::fromLatin1(text), central));
    }
    window.setCentralWidget(central);
    window.setFixedSize(760, 600);
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.show();
    return QApplication::exec();
}
