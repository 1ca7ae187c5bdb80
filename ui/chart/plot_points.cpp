#include "ui/chart/plot_points.h"

#include <cstddef>

QList<QPointF> StepPoints(const std::vector<double>& x, const std::vector<double>& y) {
    QList<QPointF> points;
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t i = 0; i < count; ++i) {
        const bool runStarts = i == 0 || y[i] != y[i - 1];
        const bool runEnds = i + 1 == count || y[i] != y[i + 1];
        if (runStarts || runEnds) {
            points.append({x[i], y[i]});
        }
    }
    return points;
}

std::vector<double> PlottedX(const std::vector<double>& x, bool logarithmic) {
    std::vector<double> plotted = x;
    if (logarithmic && plotted.size() > 1 && plotted[0] <= 0.0) {
        plotted[0] = plotted[1] / 2.0;
    }
    return plotted;
}
