#pragma once

// Reads and drives a main window through its controls, found by object name as an outside script finds
// them. The expected results are computed here from the controls alone, independently of the window's
// own evaluation code.

#include "budget/measurement_setup.h"
#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"
#include "budget/value_mappings.h"
#include "ui/position_scroll_bar.h"
#include "ui_test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <string>

namespace tarvex::uitest {

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

    QLabel& label(const QString& name) const { return find<QLabel>(name); }
    QString text(const QString& name) const { return label(name).text(); }
    PositionScrollBar& bar(const QString& name) const { return find<PositionScrollBar>(name); }
    QListWidget& list(const QString& name) const { return find<QListWidget>(name); }
    QCheckBox& box(std::string_view name) const { return find<QCheckBox>(FromView(name)); }
    QRadioButton& option(const QString& name) const { return find<QRadioButton>(name); }
    QAction& action(const QString& name) const { return find<QAction>(name); }

    // Selects a list item by its text, as a click on it would.
    void select(const QString& listName, const QString& itemText) const {
        QListWidget& target = list(listName);
        const QList<QListWidgetItem*> items = target.findItems(itemText, Qt::MatchExactly);
        if (items.size() != 1) {
            qFatal("List %s has no item %s", qPrintable(listName), qPrintable(itemText));
        }
        target.setCurrentItem(items.front());
    }

    void clickLabel(const QString& name) const { QTest::mouseClick(&label(name), Qt::LeftButton); }

    // Runs user actions written as "kind:name": menu, label (a click), option (a click), untick, sensor
    // (a selection) and level (a position).
    void perform(const QStringList& steps) const {
        for (const QString& step : steps) {
            const QString kind = step.section(QLatin1Char(':'), 0, 0);
            const QString name = step.section(QLatin1Char(':'), 1);
            if (kind == QLatin1String("menu")) {
                action(name).trigger();
            } else if (kind == QLatin1String("label")) {
                clickLabel(name);
            } else if (kind == QLatin1String("option")) {
                QTest::mouseClick(&option(name), Qt::LeftButton);
            } else if (kind == QLatin1String("untick")) {
                find<QCheckBox>(name).setChecked(false);
            } else if (kind == QLatin1String("sensor")) {
                select(QStringLiteral("lstMeßkopf"), name);
            } else if (kind == QLatin1String("level")) {
                bar(QStringLiteral("vsbPegel")).setValue(name.toInt());
            } else {
                qFatal("unknown step %s", qPrintable(step));
            }
        }
    }

    // The inputs as the controls show them; the linearity treatment is not a control, so the caller
    // says which one it expects.
    MeasurementSetup setupFromControls(bool fdLinSystematic) const {
        MeasurementSetup setup;
        setup.sensor = selectedText(QStringLiteral("lstMeßkopf"));
        setup.basicUnit = selectedText(QStringLiteral("lstGrundgerät"));
        setup.resolution = selectedText(QStringLiteral("lstResolution"));
        setup.frequency = vsb_to_Freq(bar(QStringLiteral("vsbFrequenz")).value()).value_or(0.0);
        setup.level = bar(QStringLiteral("vsbPegel")).value();
        setup.powerW = std::pow(10.0, (setup.level - 30) / 10.0);
        setup.filterNumber = bar(QStringLiteral("vsbFilter")).value();
        setup.tempMin = bar(QStringLiteral("vsbTemp_min")).value();
        setup.tempMax = bar(QStringLiteral("vsbTemp_max")).value();
        setup.sourceMatch = std::pow(10.0, (-bar(QStringLiteral("vsbAnpassung")).value() / 10.0) / 20.0);
        setup.harmonic2f = bar(QStringLiteral("vsbHarmonics2f")).value();
        setup.harmonic3f = bar(QStringLiteral("vsbHarmonics3f")).value();
        for (const ContributionInfo& info : kContributions) {
            setup.include[Index(info.key)] = box(info.checkBox).isChecked() ? 1 : 0;
        }
        setup.unit =
            option(QStringLiteral("opt_unit_percent")).isChecked() ? ResultUnit::percent : ResultUnit::dB;
        setup.mismatchMode = text(QStringLiteral("lbl_IQ_M")) == FromView(kMismatchProbableCaption)
                                 ? MismatchMode::probable
                                 : MismatchMode::conservative;
        setup.fdLinSystematic = fdLinSystematic;
        return setup;
    }

    ResultTexts expectedResults(bool fdLinSystematic) const {
        const MeasurementSetup setup = setupFromControls(fdLinSystematic);
        return PresentBudget(EvaluateBudget(setup), setup.unit, QLocale().decimalPoint().toStdString());
    }

    static QString FromView(std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

private:
    std::string selectedText(const QString& listName) const {
        const QListWidgetItem* item = list(listName).currentItem();
        return item != nullptr ? item->text().toStdString() : std::string();
    }

    const QWidget& m_window;
};

} // namespace tarvex::uitest
