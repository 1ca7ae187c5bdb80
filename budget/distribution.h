#pragma once

#include "budget/contribution.h"

#include <array>
#include <cstdint>
#include <numbers>
#include <string_view>

namespace tarvex {

// The shape of a contribution's error, symmetric about zero in every case.
enum class Distribution : std::uint8_t { normal, rectangular, arcsine };

// A distribution and the divisor that turns its data-sheet figure into a standard uncertainty. A normal
// figure is an expanded uncertainty at k = 2 (about 95 %): divided by 2. A rectangular figure is the
// half-width a of equally likely errors: u = a/√3. An arcsine (U-shaped) figure is the bound b of an error
// b·cos(φ) with a phase φ equally likely anywhere: u = b/√2. For the two bounded shapes the half-width is
// u times the divisor again.
struct DistributionInfo {
    Distribution distribution;
    std::string_view name;
    double divisor;
};

inline constexpr std::array<DistributionInfo, 3> kDistributions{{
    {Distribution::normal, "normal", 2.0},
    {Distribution::rectangular, "rectangular", std::numbers::sqrt3},
    {Distribution::arcsine, "arcsine", std::numbers::sqrt2},
}};

// Each contribution's distribution, in evaluation order. Two figures are taken as standard uncertainties
// as they stand (no divisor): the temperature effect, whose table already holds standard uncertainties,
// and the frequency-dependent linearity error, a correction not applied (halved when it is treated as
// systematic). Nothing is known of their shape but their size, so both count as normal, the shape of
// least information for a given standard deviation.
struct ContributionDistribution {
    Contribution key;
    Distribution distribution;
    bool standardAsQuoted; // the figure is the standard uncertainty itself: no divisor
};

inline constexpr PerContribution<ContributionDistribution> kContributionDistributions{{
    {Contribution::cal, Distribution::normal, false},
    {Contribution::drift, Distribution::normal, false},
    {Contribution::noise, Distribution::normal, false},
    {Contribution::lin, Distribution::normal, false},
    {Contribution::temp, Distribution::normal, true},
    {Contribution::GG, Distribution::rectangular, false},
    {Contribution::res, Distribution::rectangular, false},
    {Contribution::M, Distribution::arcsine, false},
    {Contribution::P_Coeff, Distribution::normal, false},
    {Contribution::fd_Lin, Distribution::normal, true},
    {Contribution::Harmonics2f, Distribution::arcsine, false},
    {Contribution::Harmonics3f, Distribution::arcsine, false},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kContributionCount; ++i) {
            if (Index(kContributionDistributions[i].key) != i || Index(kContributions[i].key) != i) {
                return false;
            }
        }
        for (std::size_t i = 0; i < kDistributions.size(); ++i) {
            if (static_cast<std::size_t>(kDistributions[i].distribution) != i) {
                return false;
            }
        }
        return true;
    }(),
    "the distribution tables are in the order of their keys");

constexpr const DistributionInfo& Info(Distribution distribution) {
    return kDistributions[static_cast<std::size_t>(distribution)];
}

constexpr Distribution DistributionOf(Contribution key) {
    return kContributionDistributions[Index(key)].distribution;
}

// The divisor of a contribution's data-sheet figure: its distribution's, or 1 for a standard uncertainty.
constexpr double Divisor(Contribution key) {
    const ContributionDistribution& row = kContributionDistributions[Index(key)];
    return row.standardAsQuoted ? 1.0 : Info(row.distribution).divisor;
}

} // namespace tarvex
