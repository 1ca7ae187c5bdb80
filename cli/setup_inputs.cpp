#include "cli/setup_inputs.h"

#include "cli/field_text.h"

#include "budget/batch_columns.h"
#include "budget/inputs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace tarvex::cli {
namespace {

// Positions of the inputs in SetupTexts.
enum Input : std::uint8_t {
    kSensor,
    kBasicUnit,
    kResolution,
    kFrequency,
    kLevel,
    kReturnLoss,
    kFilter,
    kHarmonic2f,
    kHarmonic3f,
    kTempMin,
    kTempMax,
    kMismatch,
    kFdLin,
    kExclude,
    kUnit,
};

// Collects the problems of one setup, each as "name: message".
class Problems {
public:
    Problems(const SetupInputNames& names, std::string& out)
        : m_names(names)
        , m_out(out) {}

    void Add(Input input, std::string_view message) {
        m_out.append(m_out.empty() ? "" : "; ").append(m_names[input]).append(": ").append(message);
    }
    std::string_view Name(Input input) const { return m_names[input]; }

private:
    const SetupInputNames& m_names;
    std::string& m_out;
};

// The value of a number text; a problem and no value when it is not a number.
std::optional<double> ReadNumber(std::string_view text, Input input, Problems& problems) {
    if (!IsDecimalNumber(text)) {
        problems.Add(input, Quoted(text) + " is not a number");
        return std::nullopt;
    }
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = std::strtod(std::string(digits).c_str(), nullptr); // underflow reads as (nearly) 0
    }
    if (std::isinf(value)) {
        problems.Add(input, Quoted(text) + " is too large");
        return std::nullopt;
    }
    return value + 0.0; // -0 reads as 0
}

// The value of a number text, read as an integer when it is written as one (the common case, and a
// cheaper read that gives the same value), else as any number.
std::optional<double> ReadWholeOrNumber(std::string_view text, Input input, Problems& problems) {
    int whole = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (error == std::errc() && end == text.data() + text.size()) {
        return whole;
    }
    return ReadNumber(text, input, problems);
}

// Checks `value` (written as `text`) against lowest ... highest; `what` names the bound with its owner,
// e.g. "TS-301's" + " top level " + "20" + " dBm".
bool InRange(double value, std::string_view text, double lowest, double highest, std::string_view owner,
             std::string_view what, std::string_view unit, Input input, Problems& problems) {
    const auto bound = [&](std::string_view side, double limit) {
        problems.Add(input, std::string(text) + " is " + std::string(side) + " " + std::string(owner) +
                                (side == "above" ? " top " : " bottom ") + std::string(what) + " " +
                                ShortestDecimal(limit) + std::string(unit));
        return false;
    };
    if (value > highest) {
        return bound("above", highest);
    }
    if (value < lowest) {
        return bound("below", lowest);
    }
    return true;
}

// A whole number inside a range (only its form without a range); `target` keeps its value when the text
// is empty. False when the text holds a problem.
bool ReadWhole(std::string_view text, Input input, std::optional<WholeRange> range, std::string_view owner,
               std::string_view what, std::string_view unit, int& target, Problems& problems) {
    if (text.empty()) {
        return true;
    }
    const std::optional<double> value = ReadWholeOrNumber(text, input, problems);
    if (!value) {
        return false;
    }
    if (*value != std::floor(*value)) {
        problems.Add(input, Quoted(text) + " is not a whole number");
        return false;
    }
    if (!range || !InRange(*value, text, range->lowest, range->highest, owner, what, unit, input, problems)) {
        return false;
    }
    target = static_cast<int>(*value);
    return true;
}

// One of a fixed set of choices, exact or (keywords) in any letter case.
std::optional<std::size_t> ReadChoice(std::string_view text, Input input,
                                      std::span<const std::string_view> choices, bool anyCase,
                                      Problems& problems) {
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (anyCase ? SameIgnoringCase(text, choices[i]) : text == choices[i]) {
            return i;
        }
    }
    std::string message = "unknown " + Quoted(text);
    const std::string_view near = anyCase ? std::string_view() : NearestChoice(text, choices);
    if (!near.empty()) {
        message.append(" (did you mean ").append(near).append("?)");
    } else {
        message += " (one of ";
        for (std::size_t i = 0; i < choices.size(); ++i) {
            message.append(i == 0 ? "" : ", ").append(choices[i]);
        }
        message += ")";
    }
    problems.Add(input, message);
    return std::nullopt;
}

// An identifier from a list: exactly as listed. Empty keeps `target`.
void ReadIdentifier(std::string_view text, Input input, std::span<const std::string_view> choices,
                    std::string& target, Problems& problems) {
    if (text.empty()) {
        return;
    }
    if (const auto index = ReadChoice(text, input, choices, false, problems)) {
        target.assign(choices[*index]);
    }
}

// A two-way keyword setting: returns true for `second`, false for `first`, and `fallback` when empty.
bool ReadKeyword(std::string_view text, Input input, std::string_view first, std::string_view second,
                 bool fallback, Problems& problems) {
    if (text.empty()) {
        return fallback;
    }
    const std::array<std::string_view, 2> choices{first, second};
    const auto index = ReadChoice(text, input, choices, true, problems);
    return index ? *index == 1 : fallback;
}

// Contribution keys separated by blanks or commas, in any letter case.
void ReadExcluded(std::string_view text, PerContribution<int>& include, Problems& problems) {
    std::array<std::string_view, kContributionCount> keys{};
    std::ranges::transform(kContributions, keys.begin(), &ContributionInfo::keyName);
    constexpr std::string_view kSeparators = " \t,";
    std::size_t start = text.find_first_not_of(kSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kSeparators, start), text.size());
        if (const auto index = ReadChoice(text.substr(start, end - start), kExclude, keys, true, problems)) {
            include[*index] = 0;
        }
        start = text.find_first_not_of(kSeparators, end);
    }
}

} // namespace

const SetupInputNames& ColumnNames() {
    static const SetupInputNames names = [] {
        SetupInputNames columns{};
        std::copy(kBatchInputColumns.begin() + 1, kBatchInputColumns.end(), columns.begin());
        return columns;
    }();
    return names;
}

const SetupInputNames& OptionNames() {
    static constexpr SetupInputNames names{"--sensor",      "--basic-unit",  "--resolution", "--frequency",
                                           "--level",       "--return-loss", "--filter",     "--harmonic-2f",
                                           "--harmonic-3f", "--temp-min",    "--temp-max",   "--mismatch",
                                           "--fd-lin",      "--exclude",     "--unit"};
    return names;
}

void ReadSetup(const SetupTexts& texts, const SetupInputNames& names, MeasurementSetup& setup,
               std::string& problems) {
    static const MeasurementSetup start = StartSetup();
    Problems found(names, problems);
    SetupTexts text{};
    std::ranges::transform(texts, text.begin(), Trimmed);

    setup.sensor = start.sensor;
    setup.basicUnit = start.basicUnit;
    setup.resolution = start.resolution;
    // The sensors' limits, worked out once rather than for every row of a batch.
    static const std::vector<SensorInputLimits> sensorLimits = [] {
        std::vector<SensorInputLimits> limits;
        for (const std::string_view sensor : SensorModels()) {
            limits.push_back(SensorInputLimitsOf(sensor).value());
        }
        return limits;
    }();
    static const std::size_t startSensor = static_cast<std::size_t>(
        std::ranges::find(SensorModels(), std::string_view(start.sensor)) - SensorModels().begin());
    std::optional<std::size_t> sensorIndex = startSensor;
    if (!text[kSensor].empty()) {
        sensorIndex = ReadChoice(text[kSensor], kSensor, SensorModels(), false, found);
        if (sensorIndex) {
            setup.sensor.assign(SensorModels()[*sensorIndex]);
        }
    }
    ReadIdentifier(text[kBasicUnit], kBasicUnit, BasicUnitModels(), setup.basicUnit, found);
    ReadIdentifier(text[kResolution], kResolution, Resolutions(), setup.resolution, found);

    // Frequency and level ranges belong to the sensor; with an unknown sensor only their form is checked.
    const SensorInputLimits* limits = sensorIndex ? &sensorLimits[*sensorIndex] : nullptr;
    const std::string owner = setup.sensor + "'s";
    setup.frequency = start.frequency;
    if (!text[kFrequency].empty()) {
        const std::optional<double> f = ReadNumber(text[kFrequency], kFrequency, found);
        if (f && limits != nullptr &&
            InRange(*f, text[kFrequency], limits->frequencyMinGHz, limits->frequencyMaxGHz, owner,
                    "frequency", " GHz", kFrequency, found)) {
            setup.frequency = *f;
        }
    }
    setup.level = start.level;
    ReadWhole(text[kLevel], kLevel, limits != nullptr ? std::optional(limits->levelDbm) : std::nullopt, owner,
              "level", " dBm", setup.level, found);

    const FixedInputLimits& fixed = kFixedInputLimits;
    setup.returnLossDb = start.returnLossDb;
    if (!text[kReturnLoss].empty()) {
        const std::optional<double> rl = ReadNumber(text[kReturnLoss], kReturnLoss, found);
        if (rl && InRange(*rl, text[kReturnLoss], fixed.returnLossMinDb, fixed.returnLossMaxDb, "the",
                          "return loss", " dB", kReturnLoss, found)) {
            setup.returnLossDb = *rl;
        }
    }
    setup.filterNumber = start.filterNumber;
    ReadWhole(text[kFilter], kFilter, fixed.filterNumber, "the", "filter number", "", setup.filterNumber,
              found);
    setup.harmonic2f = start.harmonic2f;
    ReadWhole(text[kHarmonic2f], kHarmonic2f, fixed.harmonicDbc, "the", "harmonic level", " dBc",
              setup.harmonic2f, found);
    setup.harmonic3f = start.harmonic3f;
    ReadWhole(text[kHarmonic3f], kHarmonic3f, fixed.harmonicDbc, "the", "harmonic level", " dBc",
              setup.harmonic3f, found);
    setup.tempMin = start.tempMin;
    setup.tempMax = start.tempMax;
    const bool minRead = ReadWhole(text[kTempMin], kTempMin, fixed.temperatureC, "the", "temperature",
                                   " \u00b0C", setup.tempMin, found);
    const bool maxRead = ReadWhole(text[kTempMax], kTempMax, fixed.temperatureC, "the", "temperature",
                                   " \u00b0C", setup.tempMax, found);
    if (minRead && maxRead && setup.tempMin > setup.tempMax) {
        found.Add(kTempMin, std::to_string(setup.tempMin) + " is above " + std::string(found.Name(kTempMax)) +
                                " " + std::to_string(setup.tempMax));
    }

    setup.mismatchMode = ReadKeyword(text[kMismatch], kMismatch, MismatchKeyword(MismatchMode::probable),
                                     MismatchKeyword(MismatchMode::conservative), false, found)
                             ? MismatchMode::conservative
                             : MismatchMode::probable;
    setup.fdLinSystematic = ReadKeyword(text[kFdLin], kFdLin, LinearityKeyword(false), LinearityKeyword(true),
                                        start.fdLinSystematic, found);
    setup.include = start.include;
    ReadExcluded(text[kExclude], setup.include, found);
    setup.unit = ReadKeyword(text[kUnit], kUnit, UnitKeyword(ResultUnit::dB),
                             UnitKeyword(ResultUnit::percent), false, found)
                     ? ResultUnit::percent
                     : ResultUnit::dB;
}

} // namespace tarvex::cli
