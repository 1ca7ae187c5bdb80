#pragma once

#include "budget/contribution.h"

#include <string>
#include <string_view>

namespace tarvex {

enum class ResultUnit : std::uint8_t { dB, percent };
enum class MismatchMode : std::uint8_t { probable, conservative };

// The inputs of one evaluation, read afresh from the window's controls every time. They are held as the
// user enters them; the evaluation derives the power in W and the source reflection coefficient.
struct MeasurementSetup {
    std::string sensor;        // sensor identifier, e.g. "TS-301"
    std::string basicUnit;     // basic-unit identifier, e.g. "BX-20"
    double frequency = 0.0;    // GHz, 0 is DC
    double level = 0.0;        // dBm, whole in the window, any value from the command line; W: PowerW(level)
    int filterNumber = 0;      // 0 ... 12
    int tempMin = 22;          // °C
    int tempMax = 24;          // °C
    double returnLossDb = 0.0; // source return loss, dB; the source match is SourceMatch(returnLossDb)
    std::string resolution;    // "0.1 dB", "0.01 dB" or "0.001 dB"
    int harmonic2f = -40;      // dBc
    int harmonic3f = -50;      // dBc
    PerContribution<int> include{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}; // 1 when ticked
    ResultUnit unit = ResultUnit::dB;
    MismatchMode mismatchMode = MismatchMode::probable;
    bool fdLinSystematic = false; // frequency-dependent linearity error treated as systematic

    bool operator==(const MeasurementSetup&) const = default;
};

// The measured power in W for a level in dBm.
double PowerW(double levelDbm);

// The magnitude of the source reflection coefficient for a return loss in dB: 10^((-returnLossDb) / 20).
double SourceMatch(double returnLossDb);

// The mismatch row caption carries the mode: probable exactly for the probable caption, else conservative.
MismatchMode MismatchModeFromCaption(std::string_view caption);

} // namespace tarvex
