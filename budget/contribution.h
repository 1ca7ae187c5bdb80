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

// How a contribution appears in the main window: its row caption, value label and inclusion check box.
struct ContributionInfo {
    Contribution key;
    std::string_view name;
    std::string_view caption;
    std::string_view valueLabel;
    std::string_view checkBox;
};

inline constexpr std::string_view kMismatchProbableCaption = "Mismatch Uncertainty (probable)";
inline constexpr std::string_view kMismatchConservativeCaption = "Mismatch Uncertainty (conservative)";

// Evaluation order; note that four check boxes differ from their labels in case or form.
inline constexpr PerContribution<ContributionInfo> kContributions{{
    {Contribution::cal, "cal", "Calibration Uncertainty", "lbl_u_cal", "chk_cal"},
    {Contribution::drift, "drift", "Zero Offset", "lbl_u_drift", "chk_drift"},
    {Contribution::noise, "noise", "Display Noise", "lbl_u_noise", "chk_noise"},
    {Contribution::lin, "lin", "Linearity Uncertainty", "lbl_u_lin", "chk_lin"},
    {Contribution::temp, "temp", "Temperature Effect", "lbl_u_temp", "chk_Temp"},
    {Contribution::GG, "GG", "Basic Unit", "lbl_u_GG", "chk_GG"},
    {Contribution::res, "res", "Display Resolution", "lbl_u_res", "chk_Res"},
    {Contribution::M, "M", kMismatchProbableCaption, "lbl_u_M", "chk_M"},
    {Contribution::P_Coeff, "P_Coeff", "Power Coefficient", "lbl_u_P_Coeff", "chk_P_coeff"},
    {Contribution::fd_Lin, "fd_Lin", "Frequency dep. Linearity Error", "lbl_u_fd_Lin", "chk_fd_lin"},
    {Contribution::Harmonics2f, "Harmonics2f", "Harmonics Effect 2f", "lbl_u_Harmonics2f", "chk_Harmonics2f"},
    {Contribution::Harmonics3f, "Harmonics3f", "Harmonics Effect 3f", "lbl_u_Harmonics3f", "chk_Harmonics3f"},
}};

} // namespace tarvex
