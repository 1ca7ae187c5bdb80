#pragma once

#include "budget/measurement_setup.h"
#include "cli/setup_inputs.h"

#include <QString>
#include <QStringList>

#include <string>

class Main;

// Setups that a user types or opens reach the window through here: checked by the command line's own
// ReadSetup, so that the window accepts exactly what tarvex-budget accepts and says why it rejects the
// rest in the command line's words.

// Shows a setup that ReadSetup accepted (Main::ApplySetup) and tells which of its values lay between the
// bars' positions and went to the nearest one, one note per value, each led by the value's name in
// `names`: "frequency_ghz: 1.234 GHz lies between the bar's positions; set to the nearest, 1.23 GHz".
QStringList ApplyCheckedSetup(Main& window, const tarvex::MeasurementSetup& setup,
                              const tarvex::cli::SetupInputNames& names);

// A number as the user typed it, with the window's decimal separator, as ReadSetup reads it (".").
std::string WithDecimalPoint(const QString& text, const std::string& decimalSeparator);
