#include "ui/main/explanations.h"

#include "budget/measurement_setup.h"
#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QWhatsThis>

#include <array>
#include <string_view>

namespace {

// The controls that one explanation belongs to (a row's caption, value and check box, or an input's
// caption, read-outs and control; unused places empty), a short tip and the details.
struct Explanation {
    std::array<std::string_view, 5> controls;
    std::string_view tip;
    std::string_view details; // rich text
};

constexpr std::array<Explanation, 25> kExplanations{{
    // The twelve contributions, in table order.
    {{"Label11", "lbl_u_cal", "chk_cal"},
     "Uncertainty of the sensor's calibration factor at this frequency (data sheet, k = 2), divided by "
     "√4 = 2.",
     "<p>The value comes from the sensor's data sheet: one expanded uncertainty (k = 2, normal "
     "distribution) per frequency band, for TS-201, TS-202A, TS-202B and TS-203 also per level range. "
     "u = C / √4.</p><p>Zero only where the data sheet gives no figure for the frequency.</p>"},
    {{"Label12", "lbl_u_noise", "chk_noise"},
     "Display noise of the sensor: its noise power times the filter factor, as a level error at the "
     "measured power, divided by √4 = 2.",
     "<p>N is the sensor's noise power in W (data sheet); the filter number scales it by a factor from "
     "51 (filter 0) to 0.7 (filter 12), 1 at filter 11. u = 10·lg(1 + N·F / P) / √4, with P the measured "
     "power in W.</p><p>Falls towards zero well above the sensor's lowest level.</p>"},
    {{"Label13", "lbl_u_drift", "chk_drift"},
     "Zero offset: the sensor's zero drift as a level error at the measured power, divided by √4 = 2.",
     "<p>Z is the sensor's zero drift in W (data sheet), an additive power error. "
     "u = 10·lg(1 + Z / P) / √4, with P the measured power in W.</p>"
     "<p>Falls towards zero well above the sensor's lowest level.</p>"},
    {{"Label14", "lbl_u_lin", "chk_lin"},
     "Linearity error of the sensor (data sheet, one figure per sensor), divided by √4 = 2.",
     "<p>u = L / √4, L in dB from the data sheet.</p><p>Zero for TS-201, TS-202A, TS-202B and "
     "TS-203, whose data sheets give no separate linearity figure.</p>"},
    {{"lbl_IQ_M", "lbl_u_M", "chk_M"},
     "Mismatch between source and sensor: 8.7 dB × |Γ source| × |Γ sensor|, divided by √2 (U-shaped); "
     "the probable treatment takes 0.77 of it.",
     "<p>Γ source follows from the source's return loss, Γ = 10^(−RL/20); Γ sensor is the sensor's "
     "reflection coefficient at the frequency (data sheet, by band). The mismatch error swings between "
     "its limits with the unknown phase, a U-shaped distribution: u = 8.7·Γs·ΓL / √2 dB "
     "(conservative), 0.77 times that (probable).</p><p>Tends to zero for a well-matched source.</p>"},
    {{"Label16", "lbl_u_temp", "chk_Temp"},
     "Temperature effect of the sensor over the ambient range, interpolated from the data sheet; taken "
     "as the standard uncertainty itself, without divisor.",
     "<p>The data sheet gives the effect for 22 … 24 °C (none), 18 … 28 °C, 10 … 40 °C and 0 … 50 °C. "
     "Each limit of the range is interpolated linearly between these band edges, and the larger of the "
     "two is u.</p><p>Zero when both limits lie within 22 … 24 °C.</p>"},
    {{"Label17", "lbl_u_GG", "chk_GG"},
     "Uncertainty of the basic unit for the temperature band of the range, divided by √3 "
     "(rectangular).",
     "<p>The basic unit's data sheet gives one figure for each of 18 … 28 °C, 10 … 40 °C and "
     "0 … 50 °C. Each limit selects the band that contains it, without interpolation; the larger figure "
     "G gives u = G / √3.</p><p>Never zero.</p>"},
    {{"Label18", "lbl_u_res", "chk_Res"},
     "Display resolution: half a display step, rectangular distribution, divided by √3.",
     "<p>u = (r / 2) / √3 with r the step of the chosen resolution: 0.1 dB gives 0.029 dB, "
     "0.01 dB gives 0.003 dB, 0.001 dB gives 0.0003 dB.</p>"},
    {{"Label1", "lbl_u_P_Coeff", "chk_P_coeff"},
     "Power coefficient: the sensor's change of reading with applied power, K × P, divided by √4 = 2.",
     "<p>K in dB per W from the data sheet, P the measured power in W: u = K·P / √4.</p>"
     "<p>Zero for every sensor except TS-202A, TS-202B, TS-203, TS-303 and TS-304.</p>"},
    {{"lbl_fd_Lin", "lbl_u_fd_Lin", "chk_fd_lin"},
     "Frequency-dependent linearity error of a diode sensor at high level and high frequency, as the "
     "error itself in dB (no divisor).",
     "<p>The data sheet gives the error E in percent of power on a grid of frequencies and powers; it is "
     "interpolated bilinearly over frequency (GHz) and power (mW) and shown as 10·lg(1 + E/100) dB. "
     "Statistical: it enters the sum at its full value. Systematic: half of it enters the sum and the "
     "full value is shown as Systematic Error.</p><p>Zero for the thermal sensors, TS-103 and TS-201 … "
     "TS-203, below −17 dBm (3 dBm for TS-102, TS-105, TS-108) and at low frequencies.</p>"},
    {{"Label28", "lbl_u_Harmonics2f", "chk_Harmonics2f"},
     "Reading error of a diode sensor caused by the 2nd harmonic, divided by √2 (U-shaped).",
     "<p>The sensor's formula gives the error e in percent of power from the measured power and the "
     "harmonic's level in dBc. Its sign depends on the unknown phase of the harmonic: h is the mean of "
     "|10·lg(1 − e/100)| and |10·lg(1 + e/100)|, u = h / √2.</p><p>Zero for the thermal sensors "
     "TS-301 … TS-305.</p>"},
    {{"Label28_2", "lbl_u_Harmonics3f", "chk_Harmonics3f"},
     "Reading error of a diode sensor caused by the 3rd harmonic, divided by √2 (U-shaped).",
     "<p>As for the 2nd harmonic, with the sensor's formula for the 3rd: h is the mean of "
     "|10·lg(1 − e/100)| and |10·lg(1 + e/100)|, u = h / √2.</p><p>Zero for the thermal sensors "
     "TS-301 … TS-305.</p>"},
    // The rows below the contributions.
    {{"Label19", "lbl_uc"},
     "Combined standard uncertainty: root-sum-square of the ticked rows.",
     "<p>u<sub>c</sub> = √(Σ u<sub>i</sub>²) over the ticked rows; an unticked row still shows its "
     "value but adds nothing. In percent each value is converted on its own, so the percent rows do "
     "not combine into the percent u<sub>c</sub>.</p>"},
    {{"lbl_MU_txt", "lbl_MU"},
     "Expanded uncertainty U = 2 · u_c: coverage factor k = 2, about 95 % for a normal distribution.",
     "<p>In percent it is twice the percent value of u<sub>c</sub>.</p>"},
    {{"lbl_Systematic_error_txt", "lbl_Systematic_Error"},
     "The frequency-dependent linearity error at its full value, shown while it is ticked and treated "
     "as systematic.",
     "<p>Correct the reading by it, or add it to U linearly; the table holds half of it.</p>"},
    // The inputs.
    {{"lblGrundgerät", "lstGrundgerät"},
     "The basic unit (power meter) the sensor is connected to.",
     "<p>Its data sheet gives the Basic Unit row, by temperature band.</p>"},
    {{"lblResolution", "lstResolution"},
     "The display resolution set on the basic unit.",
     "<p>Half a step, rectangular, gives the Display Resolution row.</p>"},
    {{"Label2", "lstMeßkopf"},
     "The power sensor. Selecting one narrows frequency and level to its range.",
     "<p>Its data sheet supplies the calibration, noise, zero drift, linearity, reflection coefficient, "
     "temperature effect, power coefficient, harmonic and frequency-dependent linearity figures. "
     "TS-301 … TS-305 are thermal sensors, the others diode sensors.</p>"},
    {{"lblTemp_min", "lbl_Temp_Min", "vsbTemp_min", "lblTemp_max", "lbl_Temp_Max"},
     "The ambient temperature range of the measurement, 0 … 50 °C.",
     "<p>The lower limit cannot pass the upper one. The range sets the Temperature Effect and Basic "
     "Unit rows.</p>"},
    {{"vsbTemp_max"},
     "The ambient temperature range of the measurement, 0 … 50 °C.",
     "<p>The upper limit cannot fall below the lower one. The range sets the Temperature Effect and "
     "Basic Unit rows.</p>"},
    {{"lblAnpassung", "vsbAnpassung", "lblReturnLoss", "lbl_Return_Loss"},
     "Source match: the return loss of the source feeding the sensor, 0 … 60 dB in 0.1 dB steps.",
     "<p>Up lowers the return loss (a worse match). Γ = 10^(−RL/20) and VSWR = (1 + Γ)/(1 − Γ) are shown "
     "below; Γ sets the mismatch row.</p>"},
    {{"LblRflexionFaktor", "lbl_Reflexions_Faktor", "lblVSWR", "lbl_VSWR"},
     "Reflection coefficient Γ = 10^(−RL/20) and VSWR = (1 + Γ)/(1 − Γ) of the source.",
     "<p>Follow from the source's return loss; Γ sets the mismatch row.</p>"},
    {{"lblLevel", "lbl_Level", "vsbPegel", "lblPower", "lbl_Power"},
     "The measured level in whole dBm, within the sensor's range; Power shows it in watts.",
     "<p>P = 10^((L − 30)/10) W. The level sets zero offset, noise, power coefficient, calibration "
     "(some sensors), harmonics and the frequency-dependent linearity error.</p>"},
    {{"FreqLabel", "lbl_Frequency", "vsbFrequenz"},
     "The measurement frequency, within the sensor's range.",
     "<p>Steps of 100 kHz below 1 MHz, 1 MHz below 10 MHz and 10 MHz above; the bottom position of a "
     "thermal sensor is DC. The frequency selects the calibration and reflection-coefficient bands and "
     "the frequency-dependent linearity error.</p>"},
    {{"lblFilter", "lbl_Filter", "vsbFilter"},
     "The basic unit's filter number, 0 … 12: a higher number averages longer and lowers the noise.",
     "<p>The sensor's noise power is multiplied by 51 at filter 0, falling by about √2 per step to 1 at "
     "filter 11 and 0.7 at filter 12.</p>"},
}};

struct HarmonicInput {
    std::array<std::string_view, 3> controls;
    std::string_view tip;
};

constexpr std::array<HarmonicInput, 2> kHarmonicInputs{{
    {{"Label24", "lbl_Harmonics_2f", "vsbHarmonics2f"},
     "Level of the signal's 2nd harmonic relative to the carrier, −80 … −10 dBc."},
    {{"Label23", "lbl_Harmonics_3f", "vsbHarmonics3f"},
     "Level of the signal's 3rd harmonic relative to the carrier, −80 … −10 dBc."},
}};

constexpr std::string_view kHarmonicDetails =
    "<p>Sets the harmonics rows of a diode sensor; the thermal sensors have no harmonic error.</p>";

constexpr std::string_view kUnitDetails =
    "<p>Percent of power from dB: (10^(x/10) − 10^(−x/10)) / 2, the mean of the power excess and "
    "shortfall for ±x dB.</p>";

// The tip of the explanation that a control belongs to.
QString TipOf(std::string_view name) {
    for (const Explanation& explanation : kExplanations) {
        for (const std::string_view control : explanation.controls) {
            if (control == name) {
                return ToQString(explanation.tip);
            }
        }
    }
    return {};
}

void Explain(const Main& window, std::string_view name, const QString& tip, const QString& details) {
    if (name.empty()) {
        return;
    }
    auto* control = window.findChild<QWidget*>(ToQString(name));
    control->setToolTip(tip);
    control->setWhatsThis(QStringLiteral("<p><b>") + tip.toHtmlEscaped() + QStringLiteral("</b></p>") +
                          details);
}

// The mismatch and linearity captions say which treatment is in force and that a click switches it.
void ExplainSettings(const Main& window, const tarvex::MeasurementSetup& setup) {
    const bool probable = setup.mismatchMode == tarvex::MismatchMode::probable;
    const QString mismatch =
        probable ? QStringLiteral("Probable: 0.77 of the conservative value. Click to switch to "
                                  "conservative.")
                 : QStringLiteral("Conservative: the full mismatch limit. Click to switch to probable.");
    const QString linearity =
        setup.fdLinSystematic
            ? QStringLiteral("Treated as systematic: half enters the sum, the full error shows as Systematic "
                             "Error. Click to treat it as statistical.")
            : QStringLiteral("Treated as statistical: it enters the sum at its full value. Click to treat "
                             "it as systematic.");
    const std::array<std::pair<std::string_view, QString>, 2> captions{{
        {"lbl_IQ_M", mismatch},
        {"lbl_fd_Lin", linearity},
    }};
    for (const auto& [name, mode] : captions) {
        auto* caption = window.findChild<QLabel*>(ToQString(name));
        if (caption->accessibleDescription() != mode) { // setting it announces it, even unchanged
            caption->setAccessibleDescription(mode);
        }
        caption->setToolTip(mode + QLatin1Char('\n') + TipOf(name));
    }
}

// Shift+F1: the focused control's explanation at once, or, when it has none, What's This mode, in
// which the next click on a control (a label, say) shows its text.
void AddWhatsThisKey(Main& window) {
    auto* action = new QAction(QStringLiteral("What's This?"), &window);
    action->setObjectName(QStringLiteral("actWhatsThis"));
    action->setShortcut(QKeySequence::WhatsThis);
    QObject::connect(action, &QAction::triggered, &window, [] {
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr && !focus->whatsThis().isEmpty()) {
            QWhatsThis::showText(focus->mapToGlobal(focus->rect().center()), focus->whatsThis(), focus);
        } else {
            QWhatsThis::enterWhatsThisMode();
        }
    });
    window.addAction(action);
}

} // namespace

void AddExplanations(Main& window) {
    for (const Explanation& explanation : kExplanations) {
        const QString tip = ToQString(explanation.tip);
        const QString details = ToQString(explanation.details);
        for (const std::string_view name : explanation.controls) {
            Explain(window, name, tip, details);
        }
    }
    for (const HarmonicInput& input : kHarmonicInputs) {
        for (const std::string_view name : input.controls) {
            Explain(window, name, ToQString(input.tip), ToQString(kHarmonicDetails));
        }
    }
    Explain(window, "opt_unit_db", QStringLiteral("Results in dB, as uncertainty of the level."),
            ToQString(kUnitDetails));
    Explain(window, "opt_unit_percent", QStringLiteral("Results in percent, as uncertainty of the power."),
            ToQString(kUnitDetails));
    // The two captions' texts depend only on the two settings, which most evaluations (a bar moved, a
    // box ticked) leave as they are: they are written again only when a setting has changed.
    const tarvex::MeasurementSetup start = window.ReadSetup();
    ExplainSettings(window, start);
    QObject::connect(&window, &Main::evaluated, &window,
                     [&window, mismatchMode = start.mismatchMode, fdLinSystematic = start.fdLinSystematic](
                         const tarvex::MeasurementSetup& setup) mutable {
                         if (setup.mismatchMode == mismatchMode && setup.fdLinSystematic == fdLinSystematic) {
                             return;
                         }
                         mismatchMode = setup.mismatchMode;
                         fdLinSystematic = setup.fdLinSystematic;
                         ExplainSettings(window, setup);
                     });
    AddWhatsThisKey(window);
}
