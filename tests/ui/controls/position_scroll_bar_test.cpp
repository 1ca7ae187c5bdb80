// The position scroll bar, for a top end that is the larger and one that is the smaller number: what
// changing an end does to the position, and that every way up moves towards the top end (Min).

#include "tests/ui/main_window_probe.h"

#include <QSignalSpy>
#include <QWheelEvent>

#include <functional>

using tarvex::uitest::PartCentre;

class PositionScrollBarTest : public QObject {
    Q_OBJECT

private slots:
    void changingTheEnds_data();
    void changingTheEnds();
    void movesTowardsTheTop_data();
    void movesTowardsTheTop();
};

// Columns: top, bottom and position; the new top and bottom, set in this order; the position then and
// how many valueChanged signals the move gave.
void PositionScrollBarTest::changingTheEnds_data() {
    QTest::addColumn<QList<int>>("row");
    QTest::newRow("inside stays") << QList{5000, 0, 1000, 1818, 0, 1000, 0};
    QTest::newRow("on the new end stays") << QList{30, -60, 20, 20, -30, 20, 0};
    QTest::newRow("top smaller, below the new bottom") << QList{0, 600, 500, 0, 400, 400, 1};
    QTest::newRow("top smaller, above the new top") << QList{0, 600, 100, 200, 600, 200, 1};
    QTest::newRow("turned round: the first end pulls it in") << QList{50, 0, 10, 0, 50, 0, 1};
    QTest::newRow("a single position") << QList{50, 0, 10, 20, 20, 20, 1};
}

void PositionScrollBarTest::changingTheEnds() {
    QFETCH(QList<int>, row);
    PositionScrollBar bar;
    bar.setMin(row[0]);
    bar.setMax(row[1]);
    bar.setValue(row[2]);
    QSignalSpy spy(&bar, &QScrollBar::valueChanged);
    bar.setMin(row[3]);
    bar.setMax(row[4]);
    QCOMPARE((QList<int>{bar.Min(), bar.Max(), bar.value(), static_cast<int>(spy.size())}), row.mid(3));
    QVERIFY(spy.isEmpty() || spy.last().at(0).toInt() == row[5]);
}

void PositionScrollBarTest::movesTowardsTheTop_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("top larger") << 50 << 0;
    QTest::newRow("top smaller") << 0 << 50;
}

// From position 20, each move goes the given number of steps towards the top end (negative: towards the
// bottom end), and the thumb is drawn where the position lies between the two ends.
void PositionScrollBarTest::movesTowardsTheTop() {
    QFETCH(int, top);
    QFETCH(int, bottom);
    PositionScrollBar bar;
    bar.setMin(top);
    bar.setMax(bottom);
    bar.setLargeChange(5);
    bar.resize(20, 200);
    const auto click = [&bar](QStyle::SubControl part) {
        QTest::mouseClick(&bar, Qt::LeftButton, {}, PartCentre(bar, part));
    };
    const auto wheel = [&bar](int angle) {
        const QPointF centre(10, 100);
        QWheelEvent event(centre, bar.mapToGlobal(centre), {}, QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&bar, &event);
    };
    const std::tuple<const char*, int, std::function<void()>> moves[] = {
        {"up arrow", 1, [&] { click(QStyle::SC_ScrollBarSubLine); }},
        {"down arrow", -1, [&] { click(QStyle::SC_ScrollBarAddLine); }},
        {"page above the thumb", 5, [&] { click(QStyle::SC_ScrollBarSubPage); }},
        {"page below the thumb", -5, [&] { click(QStyle::SC_ScrollBarAddPage); }},
        {"Up", 1, [&] { QTest::keyClick(&bar, Qt::Key_Up); }},
        {"Down", -1, [&] { QTest::keyClick(&bar, Qt::Key_Down); }},
        {"PageUp", 5, [&] { QTest::keyClick(&bar, Qt::Key_PageUp); }},
        {"PageDown", -5, [&] { QTest::keyClick(&bar, Qt::Key_PageDown); }},
        {"Home", 99, [&] { QTest::keyClick(&bar, Qt::Key_Home); }},
        {"End", -99, [&] { QTest::keyClick(&bar, Qt::Key_End); }},
        {"wheel up", 3, [&] { wheel(120); }},
        {"wheel down", -3, [&] { wheel(-120); }}};
    const int up = top > bottom ? 1 : -1;
    for (const auto& [name, steps, move] : moves) {
        bar.setValue(20);
        move();
        QVERIFY2(bar.value() == std::clamp(20 + up * steps, std::min(top, bottom), std::max(top, bottom)),
                 name);
        const auto y = [&bar](QStyle::SubControl part) { return PartCentre(bar, part).y(); };
        const double drawn = double(y(QStyle::SC_ScrollBarSlider) - y(QStyle::SC_ScrollBarSubLine)) /
                             (y(QStyle::SC_ScrollBarAddLine) - y(QStyle::SC_ScrollBarSubLine));
        QVERIFY2(std::abs(drawn - std::abs(bar.value() - top) / double(std::abs(bottom - top))) < 0.15, name);
    }

    // A drag downwards moves towards the bottom end, already while the thumb is held.
    bar.setValue(25);
    QSignalSpy spy(&bar, &QScrollBar::valueChanged);
    const QPoint start = PartCentre(bar, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, start);
    QTest::mouseMove(&bar, start + QPoint(0, 40));
    QVERIFY(!spy.isEmpty());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, start + QPoint(0, 40));
    QVERIFY2((bar.value() - 25) * up < 0, qPrintable(QString::number(bar.value())));
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<PositionScrollBarTest>(argc, argv);
}

#include "position_scroll_bar_test.moc"
