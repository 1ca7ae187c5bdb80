#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// Frequency scroll positions: 0 is DC, 1 ... 9 are 100 ... 900 kHz, 10 ... 18 are 1 ... 9 MHz, and from
// 19 (10 MHz) upward 10 MHz steps: 118 is 1 GHz, 1818 is 18 GHz.
std::optional<double> Freq_to_vsb(double frequencyGHz);
std::optional<double> vsb_to_Freq(int position);

// A position from a computed value: nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4),
// clamped to the 16-bit range -32768 ... 32767 (infinities included); NaN gives 0.
std::int16_t pos(double x);

// A sensor's power limit in W as a level position in dBm: pos(10 Log10(P) + 30). Defined for every P:
// 0 gives -32768 (minus infinity clamped), a negative power or NaN gives 0.
std::int16_t LevelPosition(double powerW);

// The source-match bar's position is the return loss in tenths of a dB.
double ReturnLossFromPosition(int position);

// Read-out texts of the inputs. A frequency position without value (negative) reads as 0 kHz.
std::string FrequencyReadout(int position, std::string_view decimalSeparator = "."); // "18.00 GHz"
std::string FrequencyReadoutGHz(double frequencyGHz, std::string_view decimalSeparator = ".");
std::string LevelReadout(double levelDbm, std::string_view decimalSeparator = "."); // "0 dBm"
std::string PowerReadout(double levelDbm, std::string_view decimalSeparator = "."); // "1.0 mW"
struct ImpedanceReadouts {
    std::string returnLoss;            // "20.0 dB"
    std::string reflectionCoefficient; // "0.100"
    std::string vswr;                  // "1.222" or "infinite"
};
ImpedanceReadouts ImpedanceReadout(int position, std::string_view decimalSeparator = ".");
ImpedanceReadouts ImpedanceReadoutDb(double returnLossDb, std::string_view decimalSeparator = ".");
std::string HarmonicReadout(int harmonicDbc); // "-40 dBc"
std::string TemperatureReadout(int degrees);  // "22 °C"
std::string FilterReadout(int filterNumber);  // "7"

} // namespace tarvex
