#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvex {

// The inputs of a setup as the outside world names them: one row per input with its batch column, its
// command-line option, the value name that --help shows, the caption that documents and accessible names
// use (the main window's captions, single-spaced), its unit and a one-line help text. The command line's
// parsing and help, the batch columns, the budget description and the window's accessible names all read
// this table, so that a name is written once.

// The inputs in the order of a batch row: the row's id, then the fifteen inputs of a setup.
enum class Input : std::uint8_t {
    id,
    sensor,
    basicUnit,
    resolution,
    frequency,
    level,
    returnLoss,
    filter,
    harmonic2f,
    harmonic3f,
    tempMin,
    tempMax,
    mismatch,
    fdLin,
    exclude,
    unit,
};

inline constexpr std::size_t kInputCount = 16;

constexpr std::size_t Index(Input input) {
    return static_cast<std::size_t>(input);
}

struct InputInfo {
    Input input;
    std::string_view column;    // batch column, e.g. "level_dbm"
    std::string_view option;    // command-line option, e.g. "--level"; none for the id
    std::string_view valueName; // the value's name in --help, e.g. "DBM"
    std::string_view caption;   // as documents and accessible names show it, e.g. "Level"
    std::string_view unit;      // e.g. "dBm"; empty for texts, keywords and pure numbers
    std::string_view help;      // what the input is, one line without its allowed values
    bool number = false;        // written as a decimal number
};

// The units as the window writes them.
inline constexpr std::string_view kDegreesCelsius = "\u00b0C";

inline constexpr std::array<InputInfo, kInputCount> kInputs{{
    {Input::id, "id", "", "TEXT", "Id", "", "the row's name in the results"},
    {Input::sensor, "sensor", "--sensor", "ID", "Power Sensor", "", "power sensor"},
    {Input::basicUnit, "basic_unit", "--basic-unit", "ID", "Basic Unit", "", "basic unit"},
    {Input::resolution, "resolution", "--resolution", "TEXT", "Resolution", "", "display resolution"},
    {Input::frequency, "frequency_ghz", "--frequency", "GHZ", "Frequency", "GHz", "frequency in GHz", true},
    {Input::level, "level_dbm", "--level", "DBM", "Level", "dBm", "level in dBm", true},
    {Input::returnLoss, "return_loss_db", "--return-loss", "DB", "Return Loss", "dB",
     "source return loss in dB", true},
    {Input::filter, "filter", "--filter", "N", "Filter No.", "", "filter number", true},
    {Input::harmonic2f, "harmonic_2f_dbc", "--harmonic-2f", "DBC", "Harmonics 2f", "dBc",
     "second harmonic in dBc", true},
    {Input::harmonic3f, "harmonic_3f_dbc", "--harmonic-3f", "DBC", "Harmonics 3f", "dBc",
     "third harmonic in dBc", true},
    {Input::tempMin, "temp_min_c", "--temp-min", "C", "Lower Temp. Limit", kDegreesCelsius,
     "lower temperature limit in degrees Celsius", true},
    {Input::tempMax, "temp_max_c", "--temp-max", "C", "Upper Temp. Limit", kDegreesCelsius,
     "upper temperature limit in degrees Celsius", true},
    {Input::mismatch, "mismatch", "--mismatch", "MODE", "Sensor Match", "", "sensor match"},
    {Input::fdLin, "fd_lin", "--fd-lin", "MODE", "Frequency dep. Linearity Error", "",
     "frequency-dependent linearity error"},
    {Input::exclude, "exclude", "--exclude", "KEYS", "Excluded Contributions", "",
     "contributions left out, separated by commas or blanks"},
    {Input::unit, "unit", "--unit", "UNIT", "Result Unit", "", "unit of the results"},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kInputCount; ++i) {
            if (Index(kInputs[i].input) != i) {
                return false;
            }
        }
        return true;
    }(),
    "kInputs holds one row per input, in the order of Input");

constexpr const InputInfo& InfoOf(Input input) {
    return kInputs[Index(input)];
}

// The fifteen inputs that make a setup: every row but the id.
inline constexpr std::span<const InputInfo> kSetupInputs = std::span(kInputs).subspan(1);

// Read-outs that the window derives from an input and documents list beside it.
inline constexpr std::string_view kPowerCaption = "Power";              // from the level
inline constexpr std::string_view kSourceMatchCaption = "Source Match"; // the bar
inline constexpr std::string_view kReflectionCoefficientCaption =
    "Reflection Coefficient";                            // from return loss
inline constexpr std::string_view kVswrCaption = "VSWR"; // from return loss

} // namespace tarvex
