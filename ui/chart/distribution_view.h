#pragma once

#include "budget/coverage.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <QThreadPool>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QChartView;
class QCheckBox;
class QLabel;
class QLineSeries;
class QValueAxis;

// The Distribution tab: the probability density of the total error in dB (exact), vertical lines at ±U
// and at the 95 % interval's ends, and the core's caption ("±0.15 dB (k = 2) covers 99.7 %; ..."). On
// request the Monte Carlo histogram too, computed on a worker thread; a result that arrives after the
// inputs changed is dropped. It draws only while shown: a step of the main window with another tab open
// costs it nothing.
class DistributionView : public QWidget {
    Q_OBJECT

public:
    explicit DistributionView(QWidget* parent = nullptr);
    ~DistributionView() override;
    DistributionView(const DistributionView&) = delete;
    DistributionView& operator=(const DistributionView&) = delete;

    void follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget);
    QChartView* chartView() const { return m_view; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Mailbox; // where a worker's result finds this view, if it still exists
    void followPalette();
    void draw();
    void drawMarks(double MU, double halfWidth95);
    void startMonteCarlo();
    void showHistogram(std::uint64_t generation, const std::vector<tarvex::DensityPoint>& bars);

    QChartView* m_view;
    QLabel* lblDistribution;
    QCheckBox* chkMonteCarlo;
    QValueAxis* m_x;
    QValueAxis* m_y;
    QLineSeries* m_density;
    QLineSeries* m_histogram;
    QLineSeries* m_expanded; // the lines at -U and +U, as one series that runs along the x axis between them
    QLineSeries* m_interval95; // the same at the 95 % interval's ends

    std::optional<tarvex::MeasurementSetup> m_setup; // the inputs to draw, until drawn
    tarvex::UncertaintyBudget m_budget{};
    bool m_drawn = false;
    double m_span = 1.0;            // dB: the x axis spans ±m_span
    std::uint64_t m_generation = 0; // counts the inputs followed, so that a stale histogram is known
    std::shared_ptr<Mailbox> m_mailbox;
    // The Monte Carlo workers. The view's own, not the application's: going, it waits for a run still
    // going, so that no worker posts its result while the application is being torn down.
    QThreadPool m_workers;
};
