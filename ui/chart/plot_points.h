#pragma once

#include <QList>
#include <QPointF>

#include <vector>

// The points of one series as drawn: the first and last point of every run of equal values, so that a
// step stays a step and a flat stretch costs two points, however many positions it spans.
QList<QPointF> StepPoints(const std::vector<double>& x, const std::vector<double>& y);

// Where each x of a sweep is drawn: a logarithmic frequency axis has no place for 0 GHz, so 0 kHz stands
// at half the lowest non-zero frequency, which is where the axis starts.
std::vector<double> PlottedX(const std::vector<double>& x, bool logarithmic);
