#include "ui/main/setup_entry.h"

#include "budget/batch_columns.h"
#include "budget/input_table.h"
#include "budget/value_mappings.h"
#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include <array>
#include <string_view>

namespace {

// The inputs that a checked setup may hold between the bars' positions, and their read-outs.
struct MovableInput {
    tarvex::Input input;
    double tarvex::MeasurementSetup::*value;
    std::string (*readout)(double value, std::string_view decimalSeparator);
};

constexpr std::array<MovableInput, 3> kMovableInputs{{
    {tarvex::Input::frequency, &tarvex::MeasurementSetup::frequency, tarvex::FrequencyReadoutGHz},
    {tarvex::Input::level, &tarvex::MeasurementSetup::level, tarvex::LevelReadout},
    {tarvex::Input::returnLoss, &tarvex::MeasurementSetup::returnLossDb,
     [](double returnLossDb, std::string_view separator) {
         return tarvex::ImpedanceReadoutDb(returnLossDb, separator).returnLoss;
     }},
}};

QString WithSeparator(std::string number, const std::string& decimalSeparator) {
    if (const std::size_t point = number.find('.'); point != std::string::npos) {
        number.replace(point, 1, decimalSeparator);
    }
    return QString::fromStdString(number);
}

} // namespace

QStringList ApplyCheckedSetup(Main& window, const tarvex::MeasurementSetup& setup,
                              const tarvex::cli::SetupInputNames& names) {
    window.ApplySetup(setup);
    const tarvex::MeasurementSetup shown = window.ReadSetup();
    const std::string separator = window.DecimalSeparator();
    QStringList notes;
    for (const MovableInput& movable : kMovableInputs) {
        const double asked = setup.*movable.value;
        if (asked == shown.*movable.value) {
            continue;
        }
        const tarvex::InputInfo& info = tarvex::InfoOf(movable.input);
        notes << ToQString(names[tarvex::cli::SetupSlot(movable.input)]) + QStringLiteral(": ") +
                     WithSeparator(tarvex::ShortestDecimal(asked), separator) + QLatin1Char(' ') +
                     ToQString(info.unit) +
                     QStringLiteral(" lies between the bar's positions; set to the nearest, ") +
                     QString::fromStdString(movable.readout(shown.*movable.value, separator));
    }
    return notes;
}

std::string WithDecimalPoint(const QString& text, const std::string& decimalSeparator) {
    QString number = text.trimmed();
    if (decimalSeparator != ".") {
        number.replace(QString::fromStdString(decimalSeparator), QStringLiteral("."));
    }
    return number.toStdString();
}
