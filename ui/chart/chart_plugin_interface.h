#pragma once

// The chart window lives in a plugin that the main window loads on the first View > Uncertainty Chart,
// so that the program does not load Qt Charts at start-up. Only these plain interfaces cross between
// the two; the chart reports the user's picks through callbacks and never sees the main window.

#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <QtPlugin>

#include <functional>

class QWidget;

// The open chart window, as the main window drives it.
class ChartWindowInterface {
public:
    virtual ~ChartWindowInterface() = default;
    // The window itself (frmChart); it deletes itself when closed.
    virtual QWidget* chartWidget() = 0;
    // Shows the sweeps around one evaluation: the setup the main window has just read and its budget.
    virtual void follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget) = 0;

protected:
    ChartWindowInterface() = default;
    ChartWindowInterface(const ChartWindowInterface&) = default;
    ChartWindowInterface& operator=(const ChartWindowInterface&) = default;
};

// What a click or drag in a chart asks of the main window: the frequency bar position or the level in
// dBm to move its bar to.
struct ChartPicks {
    std::function<void(int position)> frequencyPosition;
    std::function<void(int levelDbm)> level;
};

class ChartPluginInterface {
public:
    virtual ~ChartPluginInterface() = default;
    // A new chart window, a separate window owned by parent that closes when parent closes.
    virtual ChartWindowInterface* createChart(QWidget* parent, ChartPicks picks) = 0;

protected:
    ChartPluginInterface() = default;
    ChartPluginInterface(const ChartPluginInterface&) = default;
    ChartPluginInterface& operator=(const ChartPluginInterface&) = default;
};

#define TarvexChartPlugin_iid "org.tarvex.UncertaintyAnalysis.ChartPlugin/1.0"
Q_DECLARE_INTERFACE(ChartPluginInterface, TarvexChartPlugin_iid)
