#include "budget/measurement_setup.h"

#include <cmath>

namespace tarvex {

double PowerW(double levelDbm) {
    // In double from the start: level - 30 must not overflow for extreme integers.
    return std::pow(10.0, (levelDbm - 30.0) / 10.0);
}

double SourceMatch(double returnLossDb) {
    return std::pow(10.0, -returnLossDb / 20.0);
}

MismatchMode MismatchModeFromCaption(std::string_view caption) {
    return caption == kMismatchProbableCaption ? MismatchMode::probable : MismatchMode::conservative;
}

} // namespace tarvex
