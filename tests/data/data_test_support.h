#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace tarvex::test {

// Texts that look like catalogue identifiers but are not: every per-sensor lookup must give no value.
inline constexpr std::array<std::string_view, 6> kUnknownSensors{"",      "ts-101",  "TS-1010",
                                                                 "TS-10", "TS-101 ", "BX-20"};

// The thirteen diode sensors, which start above DC.
inline constexpr std::array<std::string_view, 13> kDiodeSensors{
    "TS-101", "TS-102", "TS-103", "TS-104",  "TS-105",  "TS-106", "TS-107",
    "TS-108", "TS-109", "TS-201", "TS-202A", "TS-202B", "TS-203"};

inline constexpr std::array<std::string_view, 5> kThermalSensors{"TS-301", "TS-302", "TS-303", "TS-304",
                                                                 "TS-305"};

// A test name for an identifier: "TS-202A" becomes "TS_202A".
inline std::string TestName(std::string_view sensor) {
    std::string name(sensor);
    for (char& c : name) {
        if (c == '-')
            c = '_';
    }
    return name;
}

// A lookup gave a value within tolerance of expected.
inline void ExpectNear(std::optional<double> actual, double expected, double tolerance) {
    EXPECT_TRUE(actual.has_value()) << "expected " << expected << ", got no value";
    if (actual) {
        EXPECT_NEAR(*actual, expected, tolerance);
    }
}

// A lookup gave the expected table value, or no value when none is expected.
inline void ExpectLookup(std::optional<double> actual, std::optional<double> expected) {
    if (!expected) {
        EXPECT_FALSE(actual.has_value()) << "expected no value, got " << actual.value_or(0.0);
        return;
    }
    EXPECT_TRUE(actual.has_value()) << "expected " << *expected << ", got no value";
    if (actual) {
        EXPECT_DOUBLE_EQ(*actual, *expected);
    }
}

} // namespace tarvex::test
