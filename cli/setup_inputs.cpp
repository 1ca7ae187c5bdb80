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

// The trimmed texts (or numbers) of one setup and the problems found in them, each as "name: message".
class Fields {
public:
    Fields(const SetupTexts& texts, const SetupNumbers& numbers, const SetupInputNames& names,
           std::string& problems)
        : m_numbers(numbers)
        , m_names(names)
        , m_problems(problems) {
        std::ranges::transform(texts, m_texts.begin(), Trimmed);
    }

    bool Given(Input input) const {
        return m_numbers[SetupSlot(input)].has_value() || !m_texts[SetupSlot(input)].empty();
    }
    // A number input's number, when it is one to use as it is; null otherwise. A pointer rather than an
    // optional copy: this is asked for every number of every row of a batch.
    const double* Number(Input input) const {
        const std::optional<double>& number = m_numbers[SetupSlot(input)];
        return InfoOf(input).number && number && std::isfinite(*number) ? &*number : nullptr;
    }
    // A given number's text is written only when it is asked for, and is valid until the next call.
    std::string_view Text(Input input) {
        if (const std::optional<double> number = m_numbers[SetupSlot(input)]) {
            m_numberText = ShortestDecimal(*number);
            return m_numberText;
        }
        return m_texts[SetupSlot(input)];
    }
    std::string_view Name(Input input) const { return m_names[SetupSlot(input)]; }
    void Add(Input input, std::string_view message) {
        m_problems.append(m_problems.empty() ? "" : "; ").append(Name(input)).append(": ").append(message);
    }

private:
    SetupTexts m_texts{};
    const SetupNumbers& m_numbers;
    std::string m_numberText;
    const SetupInputNames& m_names;
    std::string& m_problems;
};

// The value of a number text; a problem and no value when it is not a number.
std::optional<double> ReadNumber(Input input, Fields& fields) {
    if (const double* number = fields.Number(input)) {
        return *number + 0.0; // -0 reads as 0
    }
    const std::string_view text = fields.Text(input);
    if (!IsDecimalNumber(text)) {
        fields.Add(input, Quoted(text) + " is not a number");
        return std::nullopt;
    }
    const std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    double value = 0.0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = std::strtod(std::string(digits).c_str(), nullptr); // underflow reads as (nearly) 0
    }
    if (std::isinf(value)) {
        fields.Add(input, Quoted(text) + " is too large");
        return std::nullopt;
    }
    return value + 0.0; // -0 reads as 0
}

// The value of a number text, read as an integer when it is written as one (the common case, and a
// cheaper read that gives the same value), else as any number.
std::optional<double> ReadWholeOrNumber(Input input, Fields& fields) {
    if (const double* number = fields.Number(input)) {
        return *number + 0.0; // -0 reads as 0
    }
    const std::string_view text = fields.Text(input);
    int whole = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), whole);
    if (error == std::errc() && end == text.data() + text.size()) {
        return whole;
    }
    return ReadNumber(input, fields);
}

// The allowed range of a number and how a message names it: "TS-301's top level 20 dBm".
struct Bounds {
    double lowest;
    double highest;
    std::string_view owner; // the sensor ("TS-301" for "TS-301's"), or empty for "the"
    std::string_view what;  // "level"
};

// Checks the input's `value` against its bounds; the unit of a message is the input's own.
bool InRange(double value, Input input, const Bounds& bounds, Fields& fields) {
    const std::string_view unit = InfoOf(input).unit;
    const auto outside = [&](std::string_view side, double limit) {
        // Written only for a value out of range, so that a valid row builds no text.
        const std::string owner = bounds.owner.empty() ? "the" : std::string(bounds.owner) + "'s";
        fields.Add(input, std::string(fields.Text(input)) + " is " + std::string(side) + " " + owner +
                              (side == "above" ? " top " : " bottom ") + std::string(bounds.what) + " " +
                              ShortestDecimal(limit) + (unit.empty() ? "" : " ") + std::string(unit));
        return false;
    };
    if (value > bounds.highest) {
        return outside("above", bounds.highest);
    }
    if (value < bounds.lowest) {
        return outside("below", bounds.lowest);
    }
    return true;
}

Bounds WholeBounds(WholeRange range, std::string_view owner, std::string_view what) {
    return {static_cast<double>(range.lowest), static_cast<double>(range.highest), owner, what};
}

// A number inside its bounds; `target` keeps its value when the text is empty or holds a problem.
void ReadBounded(Input input, const Bounds& bounds, double& target, Fields& fields) {
    if (!fields.Given(input)) {
        return;
    }
    const std::optional<double> value = ReadWholeOrNumber(input, fields);
    if (value && InRange(*value, input, bounds, fields)) {
        target = *value;
    }
}

// A whole number inside its bounds (only its form without them); `target` keeps its value when the text
// is empty. False when the text holds a problem.
bool ReadWhole(Input input, const std::optional<Bounds>& bounds, int& target, Fields& fields) {
    if (!fields.Given(input)) {
        return true;
    }
    const std::optional<double> value = ReadWholeOrNumber(input, fields);
    if (!value) {
        return false;
    }
    if (*value != std::floor(*value)) {
        fields.Add(input, Quoted(fields.Text(input)) + " is not a whole number");
        return false;
    }
    if (!bounds || !InRange(*value, input, *bounds, fields)) {
        return false;
    }
    target = static_cast<int>(*value);
    return true;
}

// How a text is matched against a list of choices.
enum class Matching : std::uint8_t {
    exact,          // as listed; a near miss is suggested ("0.01" for "0.01 dB")
    anyCase,        // in any letter case; a near miss is suggested ("ts301" for "TS-301")
    anyCaseListAll, // in any letter case; a miss lists every choice (keywords)
};

// Whether two short texts are equal. Byte by byte from the end, which for identifiers of a few characters
// is faster than the library's comparison: a batch compares every row's sensor with the list, and the
// sensors' names differ in their last digits ("TS-301", "TS-302"), not in their common start.
bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = a.size(); i > 0; --i) {
        if (a[i - 1] != b[i - 1]) {
            return false;
        }
    }
    return true;
}

// One of a fixed set of choices.
std::optional<std::size_t> ReadChoice(std::string_view text, Input input,
                                      std::span<const std::string_view> choices, Matching matching,
                                      Fields& fields) {
    // Nearly every text is written as listed, which the plain comparison finds fastest.
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (SameText(text, choices[i])) {
            return i;
        }
    }
    for (std::size_t i = 0; i < choices.size() && matching != Matching::exact; ++i) {
        if (SameIgnoringCase(text, choices[i])) {
            return i;
        }
    }
    std::string message = "unknown " + Quoted(text);
    const std::string_view near =
        matching == Matching::anyCaseListAll ? std::string_view() : NearestChoice(text, choices);
    if (!near.empty()) {
        message.append(" (did you mean ").append(near).append("?)");
    } else {
        message += " (one of ";
        for (std::size_t i = 0; i < choices.size(); ++i) {
            message.append(i == 0 ? "" : ", ").append(choices[i]);
        }
        message += ")";
    }
    fields.Add(input, message);
    return std::nullopt;
}

// An identifier from a list, written back as listed. Empty keeps `target`.
void ReadIdentifier(Input input, std::span<const std::string_view> choices, Matching matching,
                    std::string& target, Fields& fields) {
    const std::string_view text = fields.Text(input);
    if (text.empty()) {
        return;
    }
    if (const auto index = ReadChoice(text, input, choices, matching, fields)) {
        target.assign(choices[*index]);
    }
}

// A two-way keyword setting: returns true for `second`, false for `first`, and `fallback` when empty.
bool ReadKeyword(Input input, std::string_view first, std::string_view second, bool fallback,
                 Fields& fields) {
    const std::string_view text = fields.Text(input);
    if (text.empty()) {
        return fallback;
    }
    const std::array<std::string_view, 2> choices{first, second};
    const auto index = ReadChoice(text, input, choices, Matching::anyCaseListAll, fields);
    return index ? *index == 1 : fallback;
}

std::span<const std::string_view> ContributionKeys() {
    static const std::array<std::string_view, kContributionCount> keys = [] {
        std::array<std::string_view, kContributionCount> names{};
        std::ranges::transform(kContributions, names.begin(), &ContributionInfo::keyName);
        return names;
    }();
    return keys;
}

// Contribution keys separated by blanks or commas, in any letter case.
void ReadExcluded(PerContribution<int>& include, Fields& fields) {
    const std::string_view text = fields.Text(Input::exclude);
    constexpr std::string_view kSeparators = " \t,";
    std::size_t start = text.find_first_not_of(kSeparators);
    while (start != std::string_view::npos) {
        const std::size_t end = std::min(text.find_first_of(kSeparators, start), text.size());
        const std::string_view key = text.substr(start, end - start);
        if (const auto index =
                ReadChoice(key, Input::exclude, ContributionKeys(), Matching::anyCaseListAll, fields)) {
            include[*index] = 0;
        }
        start = text.find_first_not_of(kSeparators, end);
    }
}

// The sensor, basic unit and resolution; the sensor's limits, or none for a sensor that is not known.
const SensorInputLimits* ReadIdentifiers(MeasurementSetup& setup, Fields& fields) {
    // The sensors' limits, worked out once rather than for every row of a batch.
    static const std::vector<SensorInputLimits> sensorLimits = [] {
        std::vector<SensorInputLimits> limits;
        for (const std::string_view sensor : SensorModels()) {
            limits.push_back(SensorInputLimitsOf(sensor).value());
        }
        return limits;
    }();
    // `setup` holds the start state here; its sensor's place in the list is found once.
    static const std::size_t startSensor = static_cast<std::size_t>(
        std::ranges::find(SensorModels(), std::string_view(StartSetup().sensor)) - SensorModels().begin());
    const auto sensors = SensorModels();
    std::optional<std::size_t> sensor = startSensor;
    if (fields.Given(Input::sensor)) {
        sensor = ReadChoice(fields.Text(Input::sensor), Input::sensor, sensors, Matching::anyCase, fields);
        if (sensor) {
            setup.sensor.assign(sensors[*sensor]);
        }
    }
    ReadIdentifier(Input::basicUnit, BasicUnitModels(), Matching::anyCase, setup.basicUnit, fields);
    ReadIdentifier(Input::resolution, Resolutions(), Matching::exact, setup.resolution, fields);
    return sensor ? &sensorLimits[*sensor] : nullptr;
}

// Frequency and level belong to the sensor; with an unknown sensor only their form is checked.
void ReadSensorRanges(const SensorInputLimits* limits, MeasurementSetup& setup, Fields& fields) {
    const std::string_view owner = setup.sensor;
    if (limits == nullptr) {
        if (fields.Given(Input::frequency)) {
            ReadNumber(Input::frequency, fields);
        }
        if (fields.Given(Input::level)) {
            ReadNumber(Input::level, fields);
        }
        return;
    }
    ReadBounded(Input::frequency, {limits->frequencyMinGHz, limits->frequencyMaxGHz, owner, "frequency"},
                setup.frequency, fields);
    ReadBounded(Input::level, WholeBounds(limits->levelDbm, owner, "level"), setup.level, fields);
}

// The inputs whose ranges do not depend on the sensor; the lower temperature may not exceed the upper.
void ReadFixedRanges(MeasurementSetup& setup, Fields& fields) {
    const FixedInputLimits& fixed = kFixedInputLimits;
    ReadBounded(Input::returnLoss, {fixed.returnLossMinDb, fixed.returnLossMaxDb, {}, "return loss"},
                setup.returnLossDb, fields);
    ReadWhole(Input::filter, WholeBounds(fixed.filterNumber, {}, "filter number"), setup.filterNumber,
              fields);
    const Bounds harmonic = WholeBounds(fixed.harmonicDbc, {}, "harmonic level");
    ReadWhole(Input::harmonic2f, harmonic, setup.harmonic2f, fields);
    ReadWhole(Input::harmonic3f, harmonic, setup.harmonic3f, fields);
    const Bounds temperature = WholeBounds(fixed.temperatureC, {}, "temperature");
    const bool minRead = ReadWhole(Input::tempMin, temperature, setup.tempMin, fields);
    const bool maxRead = ReadWhole(Input::tempMax, temperature, setup.tempMax, fields);
    if (minRead && maxRead && setup.tempMin > setup.tempMax) {
        fields.Add(Input::tempMin, std::to_string(setup.tempMin) + " is above " +
                                       std::string(fields.Name(Input::tempMax)) + " " +
                                       std::to_string(setup.tempMax));
    }
}

// The three settings and the excluded contributions.
void ReadSettings(MeasurementSetup& setup, Fields& fields) {
    const bool conservative = ReadKeyword(Input::mismatch, MismatchKeyword(MismatchMode::probable),
                                          MismatchKeyword(MismatchMode::conservative),
                                          setup.mismatchMode == MismatchMode::conservative, fields);
    setup.mismatchMode = conservative ? MismatchMode::conservative : MismatchMode::probable;
    setup.fdLinSystematic = ReadKeyword(Input::fdLin, LinearityKeyword(false), LinearityKeyword(true),
                                        setup.fdLinSystematic, fields);
    ReadExcluded(setup.include, fields);
    const bool percent =
        ReadKeyword(Input::unit, UnitKeyword(ResultUnit::dB), UnitKeyword(ResultUnit::percent),
                    setup.unit == ResultUnit::percent, fields);
    setup.unit = percent ? ResultUnit::percent : ResultUnit::dB;
}

SetupInputNames NamesFromTable(std::string_view InputInfo::*name) {
    SetupInputNames names{};
    std::ranges::transform(kSetupInputs, names.begin(), [name](const InputInfo& info) { return info.*name; });
    return names;
}

std::string Listed(std::span<const std::string_view> items, std::string_view separator) {
    std::string list;
    for (const std::string_view item : items) {
        list.append(list.empty() ? "" : separator).append(item);
    }
    return list;
}

std::string WholeRangeText(WholeRange range) {
    return std::to_string(range.lowest) + " ... " + std::to_string(range.highest);
}

std::string EitherOr(std::string_view first, std::string_view second) {
    return std::string(first) + " or " + std::string(second);
}

} // namespace

const SetupInputNames& ColumnNames() {
    static const SetupInputNames names = NamesFromTable(&InputInfo::column);
    return names;
}

const SetupInputNames& OptionNames() {
    static const SetupInputNames names = NamesFromTable(&InputInfo::option);
    return names;
}

void ReadSetup(const SetupTexts& texts, const SetupInputNames& names, MeasurementSetup& setup,
               std::string& problems) {
    static const SetupNumbers none{};
    ReadSetup(texts, none, names, setup, problems);
}

void ReadSetup(const SetupTexts& texts, const SetupNumbers& numbers, const SetupInputNames& names,
               MeasurementSetup& setup, std::string& problems) {
    static const MeasurementSetup start = StartSetup();
    Fields fields(texts, numbers, names, problems);
    setup = start;
    const SensorInputLimits* limits = ReadIdentifiers(setup, fields);
    ReadSensorRanges(limits, setup, fields);
    ReadFixedRanges(setup, fields);
    ReadSettings(setup, fields);
}

std::string AllowedValues(Input input) {
    const FixedInputLimits& fixed = kFixedInputLimits;
    switch (input) {
    case Input::id:
        return "any text";
    case Input::sensor:
        return Listed(SensorModels(), ", ");
    case Input::basicUnit:
        return Listed(BasicUnitModels(), ", ");
    case Input::resolution:
        return Listed(Resolutions(), ", ");
    case Input::frequency:
    case Input::level:
        return "inside the sensor's range";
    case Input::returnLoss:
        return ShortestDecimal(fixed.returnLossMinDb) + " ... " + ShortestDecimal(fixed.returnLossMaxDb);
    case Input::filter:
        return WholeRangeText(fixed.filterNumber);
    case Input::harmonic2f:
    case Input::harmonic3f:
        return WholeRangeText(fixed.harmonicDbc);
    case Input::tempMin:
    case Input::tempMax:
        return WholeRangeText(fixed.temperatureC);
    case Input::mismatch:
        return EitherOr(MismatchKeyword(MismatchMode::probable), MismatchKeyword(MismatchMode::conservative));
    case Input::fdLin:
        return EitherOr(LinearityKeyword(false), LinearityKeyword(true));
    case Input::exclude:
        return Listed(ContributionKeys(), " ");
    case Input::unit:
        return EitherOr(UnitKeyword(ResultUnit::dB), UnitKeyword(ResultUnit::percent));
    }
    return {};
}

std::string StartValue(Input input) {
    static const std::vector<std::string> start = BatchInputFields(StartSetup(), "");
    const std::string& text = start[Index(input)];
    return text.empty() ? "none" : text;
}

} // namespace tarvex::cli
