// What a person sees of the chart: the bold expanded-uncertainty curve drawn whole, at 1x and 2x, on
// both tabs for every sensor in both units, and an SVG export of modest size.

#include "budget/inputs.h"
#include "budget/sweep.h"
#include "tests/ui/main_window_probe.h"
#include "tests/ui/ui_test_support.h"
#include "ui/chart/chart_window.h"
#include "ui/chart/sweep_chart_view.h"

#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>

namespace tarvex::uitest {
namespace {

constexpr int kDark = 80; // a pixel of the black curve: every channel below this (the marker is grey 128)
constexpr qint64 kMostSvgBytes = qint64{100} * 1024;

MeasurementSetup SetupAcross(std::string_view sensor, ResultUnit unit) {
    MeasurementSetup setup = StartSetup();
    setup.sensor = sensor;
    setup.unit = unit;
    setup.level = SweepRangeOf(sensor, SweepAxis::level)->lowest + 20;
    return setup;
}

// The columns of the plot area, between the curve's first and last point, that hold no dark pixel.
QList<int> GapColumns(SweepChartView& view, qreal ratio) {
    for (QGraphicsItem* item : view.chart()->childItems()) {
        if (dynamic_cast<QGraphicsSimpleTextItem*>(item) != nullptr) {
            item->hide(); // the marker's label is black text
        }
    }
    QImage image((view.chart()->size() * ratio).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QRectF scene(QPointF(0, 0), view.chart()->size());     // the chart fills the scene from its origin
    view.scene()->render(&painter, QRectF(image.rect()), scene); // at 2x the same scene, twice the pixels
    painter.end();
    QLineSeries* expanded = nullptr;
    for (QAbstractSeries* series : view.chart()->series()) {
        if (series->objectName() == QStringLiteral("seriesExpanded")) {
            expanded = qobject_cast<QLineSeries*>(series);
        }
    }
    // Over level the y range fits from the lowest level + 10 dB up: the curve starts there.
    const std::size_t from = view.table().axis == SweepAxis::level ? 10 : 0;
    const QPointF first = view.chart()->mapToPosition(
        QPointF(view.table().x[from], view.table().series[0].values[from]), expanded);
    const QPointF last = view.chart()->mapToPosition(expanded->points().last(), expanded);
    const QRectF area = view.chart()->plotArea();
    const QPointF offset = view.chart()->pos();
    QList<int> gaps;
    // Whole pixel columns only: the plot area clips the curve where its last point meets the edge.
    for (int x = qCeil((first.x() + offset.x()) * ratio); x < qFloor((last.x() + offset.x()) * ratio); ++x) {
        bool dark = false;
        for (int y = qCeil((area.top() + offset.y()) * ratio);
             y < qFloor((area.bottom() + offset.y()) * ratio) && !dark; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            dark = pixel.red() < kDark && pixel.green() < kDark && pixel.blue() < kDark;
        }
        if (!dark) {
            gaps.append(x);
        }
    }
    return gaps;
}

} // namespace

class ChartDrawingTest : public QObject {
    Q_OBJECT

    // NOLINTBEGIN(readability-convert-member-functions-to-static)
private slots:
    void curveDrawnWholeEverywhere() {
        QTemporaryDir directory;
        for (const std::string_view sensor : SensorModels()) {
            for (const ResultUnit unit : {ResultUnit::dB, ResultUnit::percent}) {
                ChartWindow window(nullptr, {});
                window.resize(960, 600);
                window.show();
                const MeasurementSetup setup = SetupAcross(sensor, unit);
                window.follow(setup, EvaluateBudget(setup));
                auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabCharts"));
                for (int tab = 0; tab < tabs->count(); ++tab) {
                    tabs->setCurrentIndex(tab);
                    QApplication::processEvents();
                    auto* view = qobject_cast<SweepChartView*>(tabs->currentWidget());
                    if (view == nullptr) {
                        continue; // the Distribution tab
                    }
                    const QString what = FromView(sensor) +
                                         (unit == ResultUnit::dB ? " dB tab " : " % tab ") +
                                         QString::number(tab);
                    for (const qreal ratio : {1.0, 2.0}) {
                        const QList<int> gaps = GapColumns(*view, ratio);
                        QVERIFY2(gaps.isEmpty(),
                                 qPrintable(what + QStringLiteral(" at %1x: %2 empty columns from %3")
                                                       .arg(ratio)
                                                       .arg(gaps.size())
                                                       .arg(gaps.value(0))));
                    }
                    const QString svg = directory.filePath(QStringLiteral("chart.svg"));
                    QVERIFY(window.saveImage(svg));
                    QVERIFY2(QFileInfo(svg).size() <= kMostSvgBytes, qPrintable(what));
                }
            }
        }
    }
    // NOLINTEND(readability-convert-member-functions-to-static)
};

} // namespace tarvex::uitest

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<tarvex::uitest::ChartDrawingTest>(argc, argv);
}

#include "chart_drawing_test.moc"
