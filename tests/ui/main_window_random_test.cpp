// A long randomized session on the main window: arrows, page steps, keys and drags on every bar, list
// selections, ticks, menu items, row-caption clicks and unit buttons, with a fixed seed. After every
// action the window must show exactly the budget of what its controls show.

#include "layout_checks.h"
#include "main_window_probe.h"
#include "ui/main_window.h"

#include <QHash>
#include <QKeySequence>
#include <QSet>
#include <QStyle>
#include <QStyleOptionSlider>

#include <random>

using tarvex::uitest::MainProbe;

namespace {

constexpr unsigned kSeed = 20240611;
constexpr int kActions = 2500;
constexpr int kLayoutCheckEvery = 125;

const QStringList kBars{"vsbFrequenz",    "vsbPegel",       "vsbAnpassung", "vsbFilter",
                        "vsbHarmonics2f", "vsbHarmonics3f", "vsbTemp_min",  "vsbTemp_max"};
const QStringList kLists{"lstMeßkopf", "lstGrundgerät", "lstResolution"};
const QStringList kSettings{"mnuSensor_Match_Conservative", "mnuSensor_Match_Probable", "mnufd_Lin_sys",
                            "mnufd_Lin_nonsys"};

QRect PartOf(const QScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar);
}

class Session {
public:
    Session(Main& window, const MainProbe& probe)
        : m_window(window)
        , m_probe(probe) {}

    // Performs one random action and says what it was.
    QString act() {
        switch (pick(9)) {
        case 0:
            return clickBar(QStyle::SC_ScrollBarSubLine, "up arrow");
        case 1:
            return clickBar(QStyle::SC_ScrollBarAddLine, "down arrow");
        case 2:
            return clickBar(pick(2) == 0 ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage, "page");
        case 3:
            return drag();
        case 4:
            return key();
        case 5:
            return selectItem();
        case 6:
            return tick();
        case 7:
            return setting();
        default:
            return pick(2) == 0 ? clickCaption() : clickUnit();
        }
    }

    bool fdLinSystematic() const { return m_fdLinSystematic; }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(m_random); }

    PositionScrollBar& randomBar(QString& name) {
        name = kBars[pick(static_cast<int>(kBars.size()))];
        return m_probe.bar(name);
    }

    QString clickBar(QStyle::SubControl part, const char* what) {
        QString name;
        PositionScrollBar& bar = randomBar(name);
        const QRect area = PartOf(bar, part);
        if (!area.isEmpty()) {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, area.center());
        }
        return QStringLiteral("%1 on %2").arg(QLatin1String(what), name);
    }

    QString drag() {
        QString name;
        PositionScrollBar& bar = randomBar(name);
        const QPoint start = PartOf(bar, QStyle::SC_ScrollBarSlider).center();
        const int distance = pick(161) - 80; // pixels, also beyond either end
        QTest::mousePress(&bar, Qt::LeftButton, {}, start);
        QTest::mouseMove(&bar, start + QPoint(0, distance / 2));
        QTest::mouseMove(&bar, start + QPoint(0, distance));
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, start + QPoint(0, distance));
        return QStringLiteral("drag %1 by %2 px").arg(name).arg(distance);
    }

    QString key() {
        static constexpr Qt::Key kKeys[] = {Qt::Key_Up,       Qt::Key_Down, Qt::Key_PageUp,
                                            Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        QString name;
        PositionScrollBar& bar = randomBar(name);
        const Qt::Key key = kKeys[pick(6)];
        QTest::keyClick(&bar, key);
        return QStringLiteral("key %1 on %2").arg(QKeySequence(key).toString(), name);
    }

    QString selectItem() {
        const QString name = kLists[pick(static_cast<int>(kLists.size()))];
        QListWidget& list = m_probe.list(name);
        QListWidgetItem* item = list.item(pick(list.count()));
        list.scrollToItem(item);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(item).center());
        return QStringLiteral("select %1 in %2").arg(item->text(), name);
    }

    QString tick() {
        const tarvex::ContributionInfo& info = tarvex::kContributions[static_cast<std::size_t>(pick(12))];
        QCheckBox& box = m_probe.box(info.checkBox);
        QTest::mouseClick(&box, Qt::LeftButton, {}, box.rect().center());
        return QStringLiteral("click %1").arg(box.objectName());
    }

    QString setting() {
        const QString name = kSettings[pick(static_cast<int>(kSettings.size()))];
        m_probe.action(name).trigger();
        if (name == QLatin1String("mnufd_Lin_sys")) {
            m_fdLinSystematic = true;
        } else if (name == QLatin1String("mnufd_Lin_nonsys")) {
            m_fdLinSystematic = false;
        }
        return name;
    }

    QString clickCaption() {
        const bool mismatch = pick(2) == 0;
        m_probe.clickLabel(mismatch ? QStringLiteral("lbl_IQ_M") : QStringLiteral("lbl_fd_Lin"));
        if (!mismatch) {
            m_fdLinSystematic = !m_fdLinSystematic;
        }
        return mismatch ? QStringLiteral("click lbl_IQ_M") : QStringLiteral("click lbl_fd_Lin");
    }

    QString clickUnit() {
        QRadioButton& button =
            m_probe.option(pick(2) == 0 ? QStringLiteral("opt_unit_db") : QStringLiteral("opt_unit_percent"));
        QTest::mouseClick(&button, Qt::LeftButton, {}, button.rect().center());
        return QStringLiteral("click %1").arg(button.objectName());
    }

    Main& m_window;
    const MainProbe& m_probe;
    std::mt19937 m_random{kSeed};
    bool m_fdLinSystematic = false;
};

// Every way in which the window can disagree with its own controls, empty when it agrees.
QStringList Disagreements(const Main& window, const MainProbe& probe, bool fdLinSystematic) {
    QStringList found;
    const auto expect = [&found](const QString& what, const QString& shown, const QString& expected) {
        if (shown != expected) {
            found << QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(what, shown, expected);
        }
    };
    const tarvex::ResultTexts expected = probe.expectedResults(fdLinSystematic);
    for (const tarvex::ContributionInfo& info : tarvex::kContributions) {
        const QString name = MainProbe::FromView(info.valueLabel);
        expect(name, probe.text(name), QString::fromStdString(expected.u[tarvex::Index(info.key)]));
    }
    expect(QStringLiteral("lbl_uc"), probe.text(QStringLiteral("lbl_uc")),
           QString::fromStdString(expected.uc));
    expect(QStringLiteral("lbl_MU"), probe.text(QStringLiteral("lbl_MU")),
           QString::fromStdString(expected.MU));
    expect(QStringLiteral("lbl_Systematic_Error"), probe.text(QStringLiteral("lbl_Systematic_Error")),
           QString::fromStdString(expected.systematicError));

    const int frequency = probe.bar(QStringLiteral("vsbFrequenz")).value();
    const int level = probe.bar(QStringLiteral("vsbPegel")).value();
    expect(QStringLiteral("lbl_Frequency"), probe.text(QStringLiteral("lbl_Frequency")),
           QString::fromStdString(tarvex::FrequencyReadout(frequency)));
    expect(QStringLiteral("lbl_Power"), probe.text(QStringLiteral("lbl_Power")),
           QString::fromStdString(tarvex::PowerReadout(level)));
    expect(QStringLiteral("lbl_VSWR"), probe.text(QStringLiteral("lbl_VSWR")),
           QString::fromStdString(
               tarvex::ImpedanceReadout(probe.bar(QStringLiteral("vsbAnpassung")).value()).vswr));
    expect(QStringLiteral("lbl_Filter"), probe.text(QStringLiteral("lbl_Filter")),
           QString::number(probe.bar(QStringLiteral("vsbFilter")).value()));
    expect(QStringLiteral("lbl_Harmonics_3f"), probe.text(QStringLiteral("lbl_Harmonics_3f")),
           QString::number(probe.bar(QStringLiteral("vsbHarmonics3f")).value()) + QStringLiteral(" dBc"));

    const int lower = probe.bar(QStringLiteral("vsbTemp_min")).value();
    const int upper = probe.bar(QStringLiteral("vsbTemp_max")).value();
    if (lower > upper) {
        found << QStringLiteral("lower temperature %1 above upper %2").arg(lower).arg(upper);
    }
    expect(QStringLiteral("lbl_Temp_Min"), probe.text(QStringLiteral("lbl_Temp_Min")),
           QString::number(lower) + QStringLiteral(" °C"));
    expect(QStringLiteral("lbl_Temp_Max"), probe.text(QStringLiteral("lbl_Temp_Max")),
           QString::number(upper) + QStringLiteral(" °C"));
    for (const QString& name : kBars) {
        const PositionScrollBar& bar = probe.bar(name);
        if (bar.value() < std::min(bar.Min(), bar.Max()) || bar.value() > std::max(bar.Min(), bar.Max())) {
            found << QStringLiteral("%1 at %2 outside %3 ... %4")
                         .arg(name)
                         .arg(bar.value())
                         .arg(bar.Min())
                         .arg(bar.Max());
        }
    }
    const bool rowExpected = probe.box("chk_fd_lin").isChecked() && fdLinSystematic;
    if (probe.label(QStringLiteral("lbl_Systematic_Error")).isHidden() == rowExpected ||
        probe.label(QStringLiteral("lbl_Systematic_error_txt")).isHidden() == rowExpected) {
        found << QStringLiteral("systematic-error row visibility wrong");
    }
    if (window.property("flag_fd_lin_sys").toBool() != fdLinSystematic) {
        found << QStringLiteral("linearity treatment differs from the one chosen");
    }
    if (probe.option(QStringLiteral("opt_unit_db")).isChecked() ==
        probe.option(QStringLiteral("opt_unit_percent")).isChecked()) {
        found << QStringLiteral("not exactly one unit selected");
    }
    return found;
}

} // namespace

class MainWindowRandomTest : public QObject {
    Q_OBJECT

private slots:
    void windowAlwaysShowsTheBudgetOfItsControls();
};

void MainWindowRandomTest::windowAlwaysShowsTheBudgetOfItsControls() {
    Main window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const MainProbe probe(window);
    Session session(window, probe);
    QStringList history;
    QHash<QString, QSet<QString>> seen; // what each control showed over the session
    for (int step = 1; step <= kActions; ++step) {
        history << session.act();
        for (const QString& name : kBars) {
            seen[name].insert(QString::number(probe.bar(name).value()));
        }
        for (const QString& name : kLists) {
            seen[name].insert(probe.list(name).currentItem()->text());
        }
        seen[QStringLiteral("lbl_IQ_M")].insert(probe.text(QStringLiteral("lbl_IQ_M")));
        seen[QStringLiteral("lbl_MU_txt")].insert(probe.text(QStringLiteral("lbl_MU_txt")));
        seen[QStringLiteral("row")].insert(
            QString::number(!probe.label(QStringLiteral("lbl_Systematic_Error")).isHidden()));
        if (history.size() > 8) {
            history.removeFirst();
        }
        const QStringList wrong = Disagreements(window, probe, session.fdLinSystematic());
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QStringLiteral("after action %1 (last actions: %2): %3")
                                .arg(step)
                                .arg(history.join(QStringLiteral(", ")), wrong.join(QStringLiteral("; ")))));
        if (step % kLayoutCheckEvery == 0) {
            const QStringList clipped = tarvex::uitest::ClippedTexts(window);
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral("; "))));
        }
    }
    // The session went everywhere: many positions on every bar, every kind of selection and setting.
    for (const QString& name : kBars) {
        QVERIFY2(seen[name].size() >= 10, qPrintable(name));
    }
    QCOMPARE(seen[QStringLiteral("lstMeßkopf")].size(), 18);
    QCOMPARE(seen[QStringLiteral("lstGrundgerät")].size(), 3);
    QCOMPARE(seen[QStringLiteral("lstResolution")].size(), 3);
    QCOMPARE(seen[QStringLiteral("lbl_IQ_M")].size(), 2);
    QCOMPARE(seen[QStringLiteral("lbl_MU_txt")].size(), 2);
    QCOMPARE(seen[QStringLiteral("row")].size(), 2);
}

int main(int argc, char** argv) {
    return tarvex::uitest::RunUiTest<MainWindowRandomTest>(argc, argv);
}

#include "main_window_random_test.moc"
