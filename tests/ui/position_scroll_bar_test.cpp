// The position scroll bar: its ends, the moves that changing an end causes, and the direction of every
// way of moving it, for a bar whose top end is the larger number and for one whose top is the smaller.

#include "ui/position_scroll_bar.h"
#include "ui_test_support.h"

#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace {

// A bar that tells where its thumb is drawn.
class ProbedBar : public PositionScrollBar {
public:
    ProbedBar(int top, int bottom, int value) {
        setMin(top);
        setMax(bottom);
        setSmallChange(1);
        setLargeChange(5);
        setValue(value);
        resize(20, 200);
    }

    QPoint centreOf(QStyle::SubControl part) const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this).center();
    }
};

void Wheel(QWidget& widget, int angle) {
    const QPointF centre(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent event(centre, widget.mapToGlobal(centre), QPoint(), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

class PositionScrollBarTest : public QObject {
    Q_OBJECT

private slots:
    void changingAnEnd_data();
    void changingAnEnd();
    void movesTowardsTheTop_data();
    void movesTowardsTheTop();
    void dragFollowsTheThumb_data();
    void dragFollowsTheThumb();
};

void PositionScrollBarTest::changingAnEnd_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("newTop");
    QTest::addColumn<int>("newBottom");
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("changeEvents");
    QTest::newRow("inside stays") << 5000 << 0 << 1000 << 1818 << 0 << 1000 << 0;
    QTest::newRow("above the new top moves to it") << 5000 << 0 << 4000 << 1818 << 0 << 1818 << 1;
    QTest::newRow("below the new bottom moves to it") << 30 << -60 << -30 << 43 << 0 << 0 << 1;
    QTest::newRow("on the new end stays") << 30 << -60 << 20 << 20 << -30 << 20 << 0;
    QTest::newRow("top the smaller number") << 0 << 600 << 500 << 0 << 400 << 400 << 1;
    QTest::newRow("ends swap one at a time: the first pulls it in") << 50 << 0 << 10 << 0 << 50 << 0 << 1;
    QTest::newRow("a single position") << 50 << 0 << 10 << 20 << 20 << 20 << 1;
}

void PositionScrollBarTest::changingAnEnd() {
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, value);
    QFETCH(int, newTop);
    QFETCH(int, newBottom);
    QFETCH(int, expected);
    QFETCH(int, changeEvents);
    ProbedBar bar(top, bottom, value);
    QSignalSpy changes(&bar, &QScrollBar::valueChanged);
    bar.setMin(newTop);
    bar.setMax(newBottom);
    QCOMPARE(bar.Min(), newTop);
    QCOMPARE(bar.Max(), newBottom);
    QCOMPARE(bar.value(), expected);
    QCOMPARE(changes.size(), changeEvents);
    if (changeEvents > 0) {
        QCOMPARE(changes.last().at(0).toInt(), expected);
    }
}

// Every way up moves towards the top end by one step, every way down towards the bottom end.
void PositionScrollBarTest::movesTowardsTheTop_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QString>("move");
    QTest::addColumn<int>("expectedStep"); // from 20, towards the top as positive
    struct Orientation {
        const char* name;
        int top;
        int bottom;
    };
    const Orientation orientations[] = {{"top larger", 50, 0}, {"top smaller", 0, 50}};
    struct Move {
        const char* name;
        int stepsTowardsTop;
    };
    const Move moves[] = {
        {"up arrow", 1},  {"down arrow", -1}, {"page above thumb", 5}, {"page below thumb", -5},
        {"Up key", 1},    {"Down key", -1},   {"PageUp key", 5},       {"PageDown key", -5},
        {"Home key", 99}, {"End key", -99},   {"wheel up", 3},         {"wheel down", -3},
    };
    for (const Orientation& orientation : orientations) {
        for (const Move& move : moves) {
            QTest::addRow("%s, %s", orientation.name, move.name)
                << orientation.top << orientation.bottom << QString::fromLatin1(move.name)
                << move.stepsTowardsTop;
        }
    }
}

void PositionScrollBarTest::movesTowardsTheTop() {
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QString, move);
    QFETCH(int, expectedStep);
    ProbedBar bar(top, bottom, 20);
    const auto click = [&bar](QStyle::SubControl part) {
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.centreOf(part));
    };
    const std::pair<const char*, std::function<void()>> moves[] = {
        {"up arrow", [&] { click(QStyle::SC_ScrollBarSubLine); }},
        {"down arrow", [&] { click(QStyle::SC_ScrollBarAddLine); }},
        {"page above thumb", [&] { click(QStyle::SC_ScrollBarSubPage); }},
        {"page below thumb", [&] { click(QStyle::SC_ScrollBarAddPage); }},
        {"Up key", [&] { QTest::keyClick(&bar, Qt::Key_Up); }},
        {"Down key", [&] { QTest::keyClick(&bar, Qt::Key_Down); }},
        {"PageUp key", [&] { QTest::keyClick(&bar, Qt::Key_PageUp); }},
        {"PageDown key", [&] { QTest::keyClick(&bar, Qt::Key_PageDown); }},
        {"Home key", [&] { QTest::keyClick(&bar, Qt::Key_Home); }},
        {"End key", [&] { QTest::keyClick(&bar, Qt::Key_End); }},
        {"wheel up", [&] { Wheel(bar, 120); }},
        {"wheel down", [&] { Wheel(bar, -120); }},
    };
    for (const auto& [name, perform] : moves) {
        if (move == QLatin1String(name)) {
            perform();
        }
    }
    const int towardsTop = top > bottom ? 1 : -1;
    int expected = 20 + towardsTop * expectedStep;
    expected = std::clamp(expected, std::min(top, bottom), std::max(top, bottom));
    QCOMPARE(bar.value(), expected);
    // The thumb is drawn where the position belongs: nearer the top end, nearer the top of the bar.
    const int thumbY = bar.centreOf(QStyle::SC_ScrollBarSlider).y();
    const double fromTop = double(std::abs(bar.value() - top)) / std::abs(bottom - top);
    const int upperY = bar.centreOf(QStyle::SC_ScrollBarSubLine).y();
    const int lowerY = bar.centreOf(QStyle::SC_ScrollBarAddLine).y();
    QVERIFY2(std::abs(thumbY - (upperY + fromTop * (lowerY - upperY))) < 25,
             qPrintable(QString::number(thumbY)));
}

void PositionScrollBarTest::dragFollowsTheThumb_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("top larger") << 50 << 0;
    QTest::newRow("top smaller") << 0 << 50;
}

// Dragging the thumb down moves towards the bottom end, and every step of the drag is a change.
void PositionScrollBarTest::dragFollowsTheThumb() {
    QFETCH(int, top);
    QFETCH(int, bottom);
    ProbedBar bar(top, bottom, 25);
    QSignalSpy changes(&bar, &QScrollBar::valueChanged);
    const QPoint start = bar.centreOf(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(&bar, Qt::LeftButton, {}, start);
    QTest::mouseMove(&bar, start + QPoint(0, 20));
    const int changesWhileDragging = static_cast<int>(changes.size());
    QTest::mouseMove(&bar, start + QPoint(0, 40));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, start + QPoint(0, 40));
    QVERIFY(changesWhileDragging >= 1);
    QVERIFY(changes.size() > changesWhileDragging);
    const int movedTowardsBottom = (bar.value() - 25) * (bottom > top ? 1 : -1);
    QVERIFY2(movedTowardsBottom > 0, qPrintable(QString::number(bar.value())));
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<PositionScrollBarTest>(argc, argv);
}

#include "position_scroll_bar_test.moc"
