#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvex {

// The twelve influence quantities, in the order in which they are evaluated and summed.
enum class Contribution : std::uint8_t {
    cal,
    drift,
    noise,
    lin,
    temp,
    GG,
    res,
    M,
    P_Coeff,
    fd_Lin,
    Harmonics2f,
    Harmonics3f,
};

inline constexpr std::size_t kContributionCount = 12;

template <typename T> using PerContribution = std::array<T, kContributionCount>;

constexpr std::size_t Index(Contribution key) {
    return static_cast<std::size_t>(key);
}

// A contribution's key, the key as text (as the command line and the batch columns name it) and the
// caption of its row in the result table.
struct ContributionInfo {
    Contribution key;
    std::string_view keyName;
    std::string_view caption;
};

inline constexpr std::string_view kMismatchProbableCaption = "Mismatch Uncertainty (probable)";
inline constexpr std::string_view kMismatchConservativeCaption = "Mismatch Uncertainty (conservative)";

// Evaluation order. The mismatch row's caption changes with the mismatch mode; this is its start caption.
inline constexpr PerContribution<ContributionInfo> kContributions{{
    {Contribution::cal, "cal", "Calibration Uncertainty"},
    {Contribution::drift, "drift", "Zero Offset"},
    {Contribution::noise, "noise", "Display Noise"},
    {Contribution::lin, "lin", "Linearity Uncertainty"},
    {Contribution::temp, "temp", "Temperature Effect"},
    {Contribution::GG, "GG", "Basic Unit"},
    {Contribution::res, "res", "Display Resolution"},
    {Contribution::M, "M", kMismatchProbableCaption},
    {Contribution::P_Coeff, "P_Coeff", "Power Coefficient"},
    {Contribution::fd_Lin, "fd_Lin", "Frequency dep. Linearity Error"},
    {Contribution::Harmonics2f, "Harmonics2f", "Harmonics Effect 2f"},
    {Contribution::Harmonics3f, "Harmonics3f", "Harmonics Effect 3f"},
}};

// The rows of the result table as they stand on screen, top to bottom (not the evaluation order).
inline constexpr PerContribution<Contribution> kTableOrder{
    Contribution::cal,     Contribution::noise,  Contribution::drift,       Contribution::lin,
    Contribution::M,       Contribution::temp,   Contribution::GG,          Contribution::res,
    Contribution::P_Coeff, Contribution::fd_Lin, Contribution::Harmonics2f, Contribution::Harmonics3f,
};

} // namespace tarvex
