#pragma once

// Drives and reads a main window through its controls, found by object name as an outside script finds
// them. The expected results are computed from the controls alone, independently of the window's code.

#include "budget/inputs.h"
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"
#include "budget/value_mappings.h"
#include "tests/ui/ui_test_support.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/main/result_rows.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cmath>
#include <random>
#include <span>
#include <string>

namespace tarvex::uitest {

inline QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Where a part of a scroll bar (an arrow, a page area, the thumb) is drawn, for clicking it.
inline QPoint PartCentre(const QScrollBar& bar, QStyle::SubControl part) {
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, part, &bar).center();
}

// A setup inside the core's limits, at positions of the bars.
inline MeasurementSetup RandomSetup(std::mt19937& random) {
    const auto in = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto from = [&in](std::span<const std::string_view> items) {
        return std::string(items[static_cast<std::size_t>(in(0, static_cast<int>(items.size()) - 1))]);
    };
    const FixedInputLimits& fixed = kFixedInputLimits;
    MeasurementSetup setup;
    setup.sensor = from(SensorModels());
    setup.basicUnit = from(BasicUnitModels());
    setup.resolution = from(Resolutions());
    const SensorScrollRange range = SensorScrollRangeOf(setup.sensor);
    setup.frequency = vsb_to_Freq(in(range.frequencyBottom, range.frequencyTop)).value();
    setup.level = in(range.levelBottom, range.levelTop);
    setup.returnLossDb =
        ReturnLossFromPosition(in(fixed.returnLossTenths.lowest, fixed.returnLossTenths.highest));
    setup.filterNumber = in(fixed.filterNumber.lowest, fixed.filterNumber.highest);
    setup.harmonic2f = in(fixed.harmonicDbc.lowest, fixed.harmonicDbc.highest);
    setup.harmonic3f = in(fixed.harmonicDbc.lowest, fixed.harmonicDbc.highest);
    setup.tempMin = in(fixed.temperatureC.lowest, fixed.temperatureC.highest);
    setup.tempMax = in(setup.tempMin, fixed.temperatureC.highest);
    for (int& included : setup.include) {
        included = in(0, 1);
    }
    setup.unit = in(0, 1) == 1 ? ResultUnit::percent : ResultUnit::dB;
    setup.mismatchMode = in(0, 1) == 1 ? MismatchMode::conservative : MismatchMode::probable;
    setup.fdLinSystematic = in(0, 1) == 1;
    return setup;
}

class MainProbe {
public:
    explicit MainProbe(const QWidget& window)
        : m_window(window) {}

    template <typename Control> Control& find(const QString& name) const {
        Control* control = FindControl<Control>(m_window, name);
        if (control == nullptr) {
            qFatal("The window has no control named %s of the expected type", qPrintable(name));
        }
        return *control;
    }
    QString text(const QString& name) const { return find<QLabel>(name).text(); }
    PositionScrollBar& bar(const QString& name) const { return find<PositionScrollBar>(name); }
    QListWidget& list(const QString& name) const { return find<QListWidget>(name); }
    QString selected(const QString& name) const {
        const QListWidgetItem* item = list(name).currentItem();
        return item != nullptr ? item->text() : QString();
    }
    bool ticked(std::string_view box) const { return find<QCheckBox>(FromView(box)).isChecked(); }
    bool rowShown() const { return !find<QLabel>(QStringLiteral("lbl_Systematic_Error")).isHidden(); }

    // Runs steps "menu:<action>" (triggers it), "click:<control>", "<list>=<item>" and "<bar>=<position>".
    void perform(const QStringList& steps) const {
        for (const QString& step : steps) {
            const QString name = step.section(QLatin1Char('='), 0, 0);
            const QString value = step.section(QLatin1Char('='), 1);
            if (step.startsWith(QLatin1String("menu:"))) {
                find<QAction>(step.mid(5)).trigger();
            } else if (step.startsWith(QLatin1String("click:"))) {
                QTest::mouseClick(&find<QWidget>(step.mid(6)), Qt::LeftButton);
            } else if (name.startsWith(QLatin1String("lst"))) {
                list(name).setCurrentItem(list(name).findItems(value, Qt::MatchExactly).value(0));
            } else {
                bar(name).setValue(value.toInt());
            }
        }
    }

    // Expectations "name=text" that the window does not meet: "sys" is the linearity flag (true/false),
    // "row" the systematic-error row (shown/hidden), "lst..." a list's selected item, "vsb..." a bar's
    // top and bottom end ("20..-30"), else a label's text.
    QStringList unmet(const QStringList& expectations) const {
        QStringList unmet;
        for (const QString& expectation : expectations) {
            const QString name = expectation.section(QLatin1Char('='), 0, 0);
            const QString expected = expectation.section(QLatin1Char('='), 1);
            QString shown;
            if (name == QLatin1String("sys")) {
                shown = m_window.property("flag_fd_lin_sys").toString();
            } else if (name == QLatin1String("row")) {
                shown = rowShown() ? QStringLiteral("shown") : QStringLiteral("hidden");
            } else if (name.startsWith(QLatin1String("vsb"))) {
                shown = QStringLiteral("%1..%2").arg(bar(name).Min()).arg(bar(name).Max());
            } else {
                shown = name.startsWith(QLatin1String("lst")) ? selected(name) : text(name);
            }
            if (shown != expected) {
                unmet << QStringLiteral("%1 shows \"%2\", expected \"%3\"").arg(name, shown, expected);
            }
        }
        return unmet;
    }

    // Every result label, the systematic-error row's visibility and the linearity flag that differ from
    // the budget of the inputs as the controls show them (the linearity treatment is no control, so the
    // caller gives it); bars out of range; temperatures out of order.
    QStringList wrongResults(bool fdLinSystematic) const {
        const MeasurementSetup setup = setupFromControls(fdLinSystematic);
        const UncertaintyBudget budget = EvaluateBudget(setup);
        const ResultTexts texts = PresentBudget(budget, setup.unit, QLocale().decimalPoint().toStdString());
        QStringList expected;
        for (const ResultRow& row : kResultRows) {
            expected << FromView(row.valueLabel) + QLatin1Char('=') +
                            QString::fromStdString(texts.u[Index(row.key)]);
        }
        expected << QStringLiteral("lbl_uc=") + QString::fromStdString(texts.uc)
                 << QStringLiteral("lbl_MU=") + QString::fromStdString(texts.MU)
                 << QStringLiteral("lbl_Systematic_Error=") + QString::fromStdString(texts.systematicError)
                 << QStringLiteral("row=") + (budget.showSystematic ? "shown" : "hidden")
                 << QStringLiteral("sys=") + QVariant(fdLinSystematic).toString();
        QStringList wrong = unmet(expected);
        for (const PositionScrollBar* bar : m_window.findChildren<PositionScrollBar*>()) {
            if ((bar->value() - bar->Min()) * (bar->value() - bar->Max()) > 0) { // not between its ends
                wrong << bar->objectName() + QStringLiteral(" is out of range");
            }
        }
        if (bar(QStringLiteral("vsbTemp_min")).value() > bar(QStringLiteral("vsbTemp_max")).value()) {
            wrong << QStringLiteral("the lower temperature is above the upper");
        }
        return wrong;
    }

    // Read-outs that do not show their bar's position as the core writes it.
    QStringList wrongReadouts() const {
        const std::string separator = QLocale().decimalPoint().toStdString();
        const auto at = [this](const char* barName) { return bar(QString::fromLatin1(barName)).value(); };
        const ImpedanceReadouts impedance = ImpedanceReadout(at("vsbAnpassung"), separator);
        const std::pair<const char*, std::string> readouts[] = {
            {"lbl_Frequency", FrequencyReadout(at("vsbFrequenz"), separator)},
            {"lbl_Level", LevelReadout(at("vsbPegel"), separator)},
            {"lbl_Power", PowerReadout(at("vsbPegel"), separator)},
            {"lbl_Return_Loss", impedance.returnLoss},
            {"lbl_Reflexions_Faktor", impedance.reflectionCoefficient},
            {"lbl_VSWR", impedance.vswr},
            {"lbl_Filter", FilterReadout(at("vsbFilter"))},
            {"lbl_Harmonics_2f", HarmonicReadout(at("vsbHarmonics2f"))},
            {"lbl_Harmonics_3f", HarmonicReadout(at("vsbHarmonics3f"))},
            {"lbl_Temp_Min", TemperatureReadout(at("vsbTemp_min"))},
            {"lbl_Temp_Max", TemperatureReadout(at("vsbTemp_max"))},
        };
        QStringList expected;
        for (const auto& [name, text] : readouts) {
            expected << QString::fromLatin1(name) + QLatin1Char('=') + QString::fromStdString(text);
        }
        return unmet(expected);
    }

    MeasurementSetup setupFromControls(bool fdLinSystematic) const {
        MeasurementSetup setup;
        setup.sensor = selected(QStringLiteral("lstMeßkopf")).toStdString();
        setup.basicUnit = selected(QStringLiteral("lstGrundgerät")).toStdString();
        setup.resolution = selected(QStringLiteral("lstResolution")).toStdString();
        setup.frequency = vsb_to_Freq(bar(QStringLiteral("vsbFrequenz")).value()).value_or(0.0);
        setup.level = bar(QStringLiteral("vsbPegel")).value();
        setup.filterNumber = bar(QStringLiteral("vsbFilter")).value();
        setup.tempMin = bar(QStringLiteral("vsbTemp_min")).value();
        setup.tempMax = bar(QStringLiteral("vsbTemp_max")).value();
        setup.returnLossDb = bar(QStringLiteral("vsbAnpassung")).value() / 10.0;
        setup.harmonic2f = bar(QStringLiteral("vsbHarmonics2f")).value();
        setup.harmonic3f = bar(QStringLiteral("vsbHarmonics3f")).value();
        for (const ResultRow& row : kResultRows) {
            setup.include[Index(row.key)] = ticked(row.checkBox) ? 1 : 0;
        }
        setup.unit = find<QRadioButton>(QStringLiteral("opt_unit_percent")).isChecked() ? ResultUnit::percent
                                                                                        : ResultUnit::dB;
        setup.mismatchMode = text(QStringLiteral("lbl_IQ_M")) == FromView(kMismatchProbableCaption)
                                 ? MismatchMode::probable
                                 : MismatchMode::conservative;
        setup.fdLinSystematic = fdLinSystematic;
        return setup;
    }

private:
    const QWidget& m_window;
};

} // namespace tarvex::uitest
