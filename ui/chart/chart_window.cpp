#include "ui/chart/chart_window.h"

#include "budget/sweep.h"
#include "budget/value_mappings.h"
#include "ui/chart/distribution_view.h"
#include "ui/chart/sweep_chart_view.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/save_file.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QTabWidget>

#include <algorithm>

namespace {

constexpr int kStartWidth = 960;
constexpr int kStartHeight = 600;

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The SVG generator opens a group at every change of pen or font, also where nothing is drawn; a chart
// leaves hundreds of them empty, more than half the file.
QByteArray WithoutEmptyGroups(const QByteArray& svg) {
    static const QRegularExpression kEmptyGroup(QStringLiteral("<g [^>]*>\\s*</g>\\s*"));
    return QString::fromUtf8(svg).remove(kEmptyGroup).toUtf8();
}

} // namespace

ChartWindow::ChartWindow(QWidget* owner, ChartPicks picks)
    : QWidget(owner, Qt::Window)
    , m_picks(std::move(picks)) {
    setObjectName(QStringLiteral("frmChart"));
    setWindowTitle(QStringLiteral("Uncertainty Chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(kStartWidth, kStartHeight);
    createWidgets();
    createConnections();
    if (owner != nullptr) {
        owner->installEventFilter(this);
        placeBeside(*owner);
    }
}

void ChartWindow::createWidgets() {
    tabCharts = new QTabWidget(this);
    tabCharts->setObjectName(QStringLiteral("tabCharts"));
    m_frequency = new SweepChartView(tarvex::SweepAxis::frequency, tabCharts);
    m_level = new SweepChartView(tarvex::SweepAxis::level, tabCharts);
    m_frequency->setAccessibleName(QStringLiteral("Uncertainty versus frequency"));
    m_level->setAccessibleName(QStringLiteral("Uncertainty versus level"));
    tabCharts->addTab(m_frequency, QStringLiteral("versus &Frequency"));
    tabCharts->addTab(m_level, QStringLiteral("versus &Level"));
    m_distribution = new DistributionView(tabCharts);
    tabCharts->addTab(m_distribution, QStringLiteral("&Distribution"));

    lblChartPoint = new QLabel(this);
    lblChartPoint->setObjectName(QStringLiteral("lblChartPoint"));
    lblChartPoint->setAccessibleName(QStringLiteral("Value at the marker"));
    chkLogarithmicY = new QCheckBox(QStringLiteral("Logarithmic &y"), this);
    chkLogarithmicY->setObjectName(QStringLiteral("chkLogarithmicY"));
    chkLogarithmicY->setVisible(false); // on the level tab only
    cmdSaveImage = MakeButton(this, "cmdSaveImage", QStringLiteral("Save &Image…"));
    cmdSaveData = MakeButton(this, "cmdSaveData", QStringLiteral("Save &Data…"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblChartPoint, 1);
    bottom->addWidget(chkLogarithmicY);
    bottom->addWidget(cmdSaveImage);
    bottom->addWidget(cmdSaveData);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabCharts, 1);
    layout->addLayout(bottom);
}

void ChartWindow::createConnections() {
    connect(m_frequency, &SweepChartView::picked, this, [this](int position) {
        if (m_picks.frequencyPosition) {
            m_picks.frequencyPosition(position);
        }
    });
    connect(m_level, &SweepChartView::picked, this, [this](int level) {
        if (m_picks.level) {
            m_picks.level(level);
        }
    });
    connect(tabCharts, &QTabWidget::currentChanged, this, &ChartWindow::showCurrentValue);
    connect(tabCharts, &QTabWidget::currentChanged, this, [this] {
        chkLogarithmicY->setVisible(currentChart() == m_level);
        cmdSaveData->setEnabled(currentChart() != nullptr);
    });
    connect(chkLogarithmicY, &QCheckBox::toggled, m_level, &SweepChartView::setLogarithmicY);
    connect(cmdSaveImage, &QPushButton::clicked, this, &ChartWindow::cmdSaveImage_Click);
    connect(cmdSaveData, &QPushButton::clicked, this, &ChartWindow::cmdSaveData_Click);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

// Right of the main window when the screen has room for the chart there, else below it, so that the
// chart never covers the window's inputs; moved into the screen where it would stand past its edge.
void ChartWindow::placeBeside(const QWidget& owner) {
    const QRect main = owner.frameGeometry();
    const QScreen* screen = owner.screen();
    const QRect room = screen != nullptr ? screen->availableGeometry() : QRect();
    const QSize frame = frameGeometry().size().expandedTo(size());
    QPoint at = main.topRight() + QPoint(1, 0);
    if (!room.isEmpty() && at.x() + frame.width() > room.right()) {
        at = main.bottomLeft() + QPoint(0, 1);
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - frame.width())));
    }
    move(at);
}

// The status line names the main window's current value on the tab shown.
void ChartWindow::showCurrentValue() {
    const SweepChartView* chart = currentChart();
    lblChartPoint->setText((chart != nullptr ? chart : m_frequency)->currentText());
}

// Both sweeps run on every evaluation, each over the sensor's whole range with every other input as
// the main window has it; the point at the window's own position is the budget it has just shown.
void ChartWindow::follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) {
    const QString sensor = ToQString(setup.sensor);
    const std::string separator = locale().decimalPoint().toStdString();
    m_sensor = sensor;
    m_frequency->chart()->setTitle(sensor + QStringLiteral(" at ") +
                                   ToQString(tarvex::LevelReadout(setup.level, separator)));
    m_frequency->plot(setup, tarvex::SweepSensorRange(setup, tarvex::SweepAxis::frequency), budget);
    m_level->chart()->setTitle(sensor + QStringLiteral(" at ") +
                               ToQString(tarvex::FrequencyReadoutGHz(setup.frequency, separator)));
    m_level->plot(setup, tarvex::SweepSensorRange(setup, tarvex::SweepAxis::level), budget);
    m_distribution->follow(setup, budget);
    showCurrentValue();
}

// The chart closes with the window that owns it.
bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Close) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

SweepChartView* ChartWindow::currentChart() const {
    QWidget* shown = tabCharts->currentWidget();
    return shown == m_frequency ? m_frequency : (shown == m_level ? m_level : nullptr);
}

bool ChartWindow::writeFile(const QString& path, const QByteArray& contents, const QString& what) {
    return SaveFileOrExplain(this, path, contents, QStringLiteral("Save ") + what,
                             QStringLiteral("The chart's ") + what.toLower() +
                                 QStringLiteral(" could not be saved as %1.\n\n%2"));
}

bool ChartWindow::saveImage(const QString& path) {
    QChartView* chart =
        tabCharts->currentWidget() == m_distribution ? m_distribution->chartView() : currentChart();
    QByteArray contents;
    QBuffer buffer(&contents);
    buffer.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(chart->size());
        svg.setViewBox(QRect(QPoint(0, 0), chart->size()));
        svg.setTitle(windowTitle());
        QPainter painter(&svg);
        chart->render(&painter);
        painter.end();
        contents = WithoutEmptyGroups(contents);
    } else {
        chart->grab().save(&buffer, "PNG"); // grab() renders at the screen's device pixel ratio
    }
    return writeFile(path, contents, QStringLiteral("Image"));
}

bool ChartWindow::saveData(const QString& path) {
    const SweepChartView* chart = currentChart();
    return chart != nullptr && writeFile(path, chart->csv().toUtf8(), QStringLiteral("Data"));
}

// Where a saved file is suggested: the documents folder, as for a report, with a name that says the
// sensor and the axis ("uncertainty-TS-305-frequency.png").
QString ChartWindow::suggestedPath(const QString& extension) const {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString axis =
        currentChart() == m_frequency
            ? QStringLiteral("frequency")
            : (currentChart() == m_level ? QStringLiteral("level") : QStringLiteral("distribution"));
    return QDir(folder).filePath(QStringLiteral("uncertainty-%1-%2.%3").arg(m_sensor, axis, extension));
}

void ChartWindow::cmdSaveImage_Click() {
    QString filter;
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Image"), suggestedPath(QStringLiteral("png")),
                                     QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), &filter);
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += filter.startsWith(QStringLiteral("SVG")) ? QStringLiteral(".svg") : QStringLiteral(".png");
    }
    saveImage(path);
}

void ChartWindow::cmdSaveData_Click() {
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Data"), suggestedPath(QStringLiteral("csv")),
                                     QStringLiteral("CSV file (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".csv");
    }
    saveData(path);
}
