#include "ui/main/explanations.h"

#include "budget/measurement_setup.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/selection_list.h"
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QWhatsThis>

#include <array>
#include <string_view>
#include <type_traits>
#include <variant>

using tarvex::Contribution;

namespace {

// A contribution's explanation, for its row's caption, value and check box: a short tip and the details.
struct Explanation {
    Contribution key;
    std::string_view tip;
    std::string_view details; // rich text
};

// In table order.
constexpr std::array<Explanation, tarvex::kContributionCount> kContributionExplanations{{
    {Contribution::cal,
     "Uncertainty of the sensor's calibration factor at this frequency (data sheet, k = 2), divided by "
     "√4 = 2.",
     "<p>The value comes from the sensor's data sheet: one expanded uncertainty (k = 2, normal "
     "distribution) per frequency band, for TS-201, TS-202A, TS-202B and TS-203 also per level range. "
     "u = C / √4.</p><p>Zero only where the data sheet gives no figure for the frequency.</p>"},
    {Contribution::noise,
     "Display noise of the sensor: its noise power times the filter factor, as a level error at the "
     "measured power, divided by √4 = 2.",
     "<p>N is the sensor's noise power in W (data sheet); the filter number scales it by a factor from "
     "51 (filter 0) to 0.7 (filter 12), 1 at filter 11. u = 10·lg(1 + N·F / P) / √4, with P the measured "
     "power in W.</p><p>Falls towards zero well above the sensor's lowest level.</p>"},
    {Contribution::drift,
     "Zero offset: the sensor's zero drift as a level error at the measured power, divided by √4 = 2.",
     "<p>Z is the sensor's zero drift in W (data sheet), an additive power error. "
     "u = 10·lg(1 + Z / P) / √4, with P the measured power in W.</p>"
     "<p>Falls towards zero well above the sensor's lowest level.</p>"},
    {Contribution::lin,
     "Linearity error of the sensor (data sheet, one figure per sensor), divided by √4 = 2.",
     "<p>u = L / √4, L in dB from the data sheet.</p><p>Zero for TS-201, TS-202A, TS-202B and "
     "TS-203, whose data sheets give no separate linearity figure.</p>"},
    {Contribution::M,
     "Mismatch between source and sensor: 8.7 dB × |Γ source| × |Γ sensor|, divided by √2 (U-shaped); "
     "the probable treatment takes 0.77 of it.",
     "<p>Γ source follows from the source's return loss, Γ = 10^(−RL/20); Γ sensor is the sensor's "
     "reflection coefficient at the frequency (data sheet, by band). The mismatch error swings between "
     "its limits with the unknown phase, a U-shaped distribution: u = 8.7·Γs·ΓL / √2 dB "
     "(conservative), 0.77 times that (probable).</p><p>Tends to zero for a well-matched source.</p>"},
    {Contribution::temp,
     "Temperature effect of the sensor over the ambient range, interpolated from the data sheet; taken "
     "as the standard uncertainty itself, without divisor.",
     "<p>The data sheet gives the effect for 22 … 24 °C (none), 18 … 28 °C, 10 … 40 °C and 0 … 50 °C. "
     "Each limit of the range is interpolated linearly between these band edges, and the larger of the "
     "two is u.</p><p>Zero when both limits lie within 22 … 24 °C.</p>"},
    {Contribution::GG,
     "Uncertainty of the basic unit for the temperature band of the range, divided by √3 "
     "(rectangular).",
     "<p>The basic unit's data sheet gives one figure for each of 18 … 28 °C, 10 … 40 °C and "
     "0 … 50 °C. Each limit selects the band that contains it, without interpolation; the larger figure "
     "G gives u = G / √3.</p><p>Never zero.</p>"},
    {Contribution::res, "Display resolution: half a display step, rectangular distribution, divided by √3.",
     "<p>u = (r / 2) / √3 with r the step of the chosen resolution: 0.1 dB gives 0.029 dB, "
     "0.01 dB gives 0.003 dB, 0.001 dB gives 0.0003 dB.</p>"},
    {Contribution::P_Coeff,
     "Power coefficient: the sensor's change of reading with applied power, K × P, divided by √4 = 2.",
     "<p>K in dB per W from the data sheet, P the measured power in W: u = K·P / √4.</p>"
     "<p>Zero for every sensor except TS-202A, TS-202B, TS-203, TS-303 and TS-304.</p>"},
    {Contribution::fd_Lin,
     "Frequency-dependent linearity error of a diode sensor at high level and high frequency, as the "
     "error itself in dB (no divisor).",
     "<p>The data sheet gives the error E in percent of power on a grid of frequencies and powers; it is "
     "interpolated bilinearly over frequency (GHz) and power (mW) and shown as 10·lg(1 + E/100) dB. "
     "Statistical: it enters the sum at its full value. Systematic: half of it enters the sum and the "
     "full value is shown as Systematic Error.</p><p>Zero for the thermal sensors, TS-103 and TS-201 … "
     "TS-203, below −17 dBm (3 dBm for TS-102, TS-105, TS-108) and at low frequencies.</p>"},
    {Contribution::Harmonics2f,
     "Reading error of a diode sensor caused by the 2nd harmonic, divided by √2 (U-shaped).",
     "<p>The sensor's formula gives the error e in percent of power from the measured power and the "
     "harmonic's level in dBc. Its sign depends on the unknown phase of the harmonic: h is the mean of "
     "|10·lg(1 − e/100)| and |10·lg(1 + e/100)|, u = h / √2.</p><p>Zero for the thermal sensors "
     "TS-301 … TS-305.</p>"},
    {Contribution::Harmonics3f,
     "Reading error of a diode sensor caused by the 3rd harmonic, divided by √2 (U-shaped).",
     "<p>As for the 2nd harmonic, with the sensor's formula for the 3rd: h is the mean of "
     "|10·lg(1 − e/100)| and |10·lg(1 + e/100)|, u = h / √2.</p><p>Zero for the thermal sensors "
     "TS-301 … TS-305.</p>"},
}};

const Explanation& ContributionExplanation(Contribution key) {
    for (const Explanation& explanation : kContributionExplanations) {
        if (explanation.key == key) {
            return explanation;
        }
    }
    return kContributionExplanations.front(); // every contribution has one; unreachable
}

constexpr std::string_view kHarmonicDetails =
    "<p>Sets the harmonics rows of a diode sensor; the thermal sensors have no harmonic error.</p>";

constexpr std::string_view kUnitDetails =
    "<p>Percent of power from dB: (10^(x/10) − 10^(−x/10)) / 2, the mean of the power excess and "
    "shortfall for ±x dB.</p>";

void Explain(QWidget* control, std::string_view tip, std::string_view details) {
    const QString tipText = ToQString(tip);
    control->setToolTip(tipText);
    control->setWhatsThis(QStringLiteral("<p><b>") + tipText.toHtmlEscaped() + QStringLiteral("</b></p>") +
                          ToQString(details));
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

// The rows name the window's private controls, so they live in a friend of the window.
struct ExplanationRows {
    // A control of the window, by its member; empty places in a row are monostate.
    using Control = std::variant<std::monostate, QLabel * Main::*, SelectionList * Main::*,
                                 PositionScrollBar * Main::*, QRadioButton * Main::*>;

    // The controls that one explanation belongs to (an input's caption, read-outs and control, or a row
    // below the contributions), a short tip and the details.
    struct Row {
        std::array<Control, 5> controls;
        std::string_view tip;
        std::string_view details; // rich text
    };

    static constexpr std::array<Row, 17> kControls{{
        // The rows below the contributions.
        {{&Main::Label19, &Main::lbl_uc},
         "Combined standard uncertainty: root-sum-square of the ticked rows.",
         "<p>u<sub>c</sub> = √(Σ u<sub>i</sub>²) over the ticked rows; an unticked row still shows its "
         "value but adds nothing. In percent each value is converted on its own, so the percent rows do "
         "not combine into the percent u<sub>c</sub>.</p>"},
        {{&Main::lbl_MU_txt, &Main::lbl_MU},
         "Expanded uncertainty U = 2 · u_c: coverage factor k = 2, about 95 % for a normal distribution.",
         "<p>In percent it is twice the percent value of u<sub>c</sub>.</p>"},
        {{&Main::lbl_Systematic_error_txt, &Main::lbl_Systematic_Error},
         "The frequency-dependent linearity error at its full value, shown while it is ticked and treated "
         "as systematic.",
         "<p>Correct the reading by it, or add it to U linearly; the table holds half of it.</p>"},
        // The inputs.
        {{&Main::lblGrundgerät, &Main::lstGrundgerät},
         "The basic unit (power meter) the sensor is connected to.",
         "<p>Its data sheet gives the Basic Unit row, by temperature band.</p>"},
        {{&Main::lblResolution, &Main::lstResolution},
         "The display resolution set on the basic unit.",
         "<p>Half a step, rectangular, gives the Display Resolution row.</p>"},
        {{&Main::Label2, &Main::lstMeßkopf},
         "The power sensor. Selecting one narrows frequency and level to its range.",
         "<p>Its data sheet supplies the calibration, noise, zero drift, linearity, reflection coefficient, "
         "temperature effect, power coefficient, harmonic and frequency-dependent linearity figures. "
         "TS-301 … TS-305 are thermal sensors, the others diode sensors.</p>"},
        {{&Main::lblTemp_min, &Main::lbl_Temp_Min, &Main::vsbTemp_min, &Main::lblTemp_max,
          &Main::lbl_Temp_Max},
         "The ambient temperature range of the measurement, 0 … 50 °C.",
         "<p>The lower limit cannot pass the upper one. The range sets the Temperature Effect and Basic "
         "Unit rows.</p>"},
        {{&Main::vsbTemp_max},
         "The ambient temperature range of the measurement, 0 … 50 °C.",
         "<p>The upper limit cannot fall below the lower one. The range sets the Temperature Effect and "
         "Basic Unit rows.</p>"},
        {{&Main::lblAnpassung, &Main::vsbAnpassung, &Main::lblReturnLoss, &Main::lbl_Return_Loss},
         "Source match: the return loss of the source feeding the sensor, 0 … 60 dB in 0.1 dB steps.",
         "<p>Up lowers the return loss (a worse match). Γ = 10^(−RL/20) and VSWR = (1 + Γ)/(1 − Γ) are shown "
         "below; Γ sets the mismatch row.</p>"},
        {{&Main::LblRflexionFaktor, &Main::lbl_Reflexions_Faktor, &Main::lblVSWR, &Main::lbl_VSWR},
         "Reflection coefficient Γ = 10^(−RL/20) and VSWR = (1 + Γ)/(1 − Γ) of the source.",
         "<p>Follow from the source's return loss; Γ sets the mismatch row.</p>"},
        {{&Main::lblLevel, &Main::lbl_Level, &Main::vsbPegel, &Main::lblPower, &Main::lbl_Power},
         "The measured level in whole dBm, within the sensor's range; Power shows it in watts.",
         "<p>P = 10^((L − 30)/10) W. The level sets zero offset, noise, power coefficient, calibration "
         "(some sensors), harmonics and the frequency-dependent linearity error.</p>"},
        {{&Main::FreqLabel, &Main::lbl_Frequency, &Main::vsbFrequenz},
         "The measurement frequency, within the sensor's range.",
         "<p>Steps of 100 kHz below 1 MHz, 1 MHz below 10 MHz and 10 MHz above; the bottom position of a "
         "thermal sensor is DC. The frequency selects the calibration and reflection-coefficient bands and "
         "the frequency-dependent linearity error.</p>"},
        {{&Main::lblFilter, &Main::lbl_Filter, &Main::vsbFilter},
         "The basic unit's filter number, 0 … 12: a higher number averages longer and lowers the noise.",
         "<p>The sensor's noise power is multiplied by 51 at filter 0, falling by about √2 per step to 1 at "
         "filter 11 and 0.7 at filter 12.</p>"},
        // The harmonics and the result unit.
        {{&Main::Label24, &Main::lbl_Harmonics_2f, &Main::vsbHarmonics2f},
         "Level of the signal's 2nd harmonic relative to the carrier, −80 … −10 dBc.",
         kHarmonicDetails},
        {{&Main::Label23, &Main::lbl_Harmonics_3f, &Main::vsbHarmonics3f},
         "Level of the signal's 3rd harmonic relative to the carrier, −80 … −10 dBc.",
         kHarmonicDetails},
        {{&Main::opt_unit_db}, "Results in dB, as uncertainty of the level.", kUnitDetails},
        {{&Main::opt_unit_percent}, "Results in percent, as uncertainty of the power.", kUnitDetails},
    }};

    static QWidget* Resolve(const Main& window, const Control& control) {
        return std::visit(
            [&window](auto member) -> QWidget* {
                if constexpr (std::is_same_v<decltype(member), std::monostate>) {
                    return nullptr;
                } else {
                    return window.*member;
                }
            },
            control);
    }

    static void ExplainControls(const Main& window) {
        for (const Explanation& explanation : kContributionExplanations) {
            const std::size_t i = tarvex::Index(explanation.key);
            for (QWidget* control : {static_cast<QWidget*>(window.m_captionLabels[i]),
                                     static_cast<QWidget*>(window.m_valueLabels[i]),
                                     static_cast<QWidget*>(window.m_includeBoxes[i])}) {
                Explain(control, explanation.tip, explanation.details);
            }
        }
        for (const Row& row : kControls) {
            for (const Control& control : row.controls) {
                if (QWidget* widget = Resolve(window, control)) {
                    Explain(widget, row.tip, row.details);
                }
            }
        }
    }

    static void ExplainSettings(const Main& window, const tarvex::MeasurementSetup& setup);
};

// The mismatch and linearity captions say which treatment is in force and that a click switches it.
void ExplanationRows::ExplainSettings(const Main& window, const tarvex::MeasurementSetup& setup) {
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
    const std::array<std::pair<Contribution, QString>, 2> captions{{
        {Contribution::M, mismatch},
        {Contribution::fd_Lin, linearity},
    }};
    for (const auto& [key, mode] : captions) {
        QLabel* caption = window.m_captionLabels[tarvex::Index(key)];
        if (caption->accessibleDescription() != mode) { // setting it announces it, even unchanged
            caption->setAccessibleDescription(mode);
        }
        caption->setToolTip(mode + QLatin1Char('\n') + ToQString(ContributionExplanation(key).tip));
    }
}

void AddExplanations(Main& window) {
    ExplanationRows::ExplainControls(window);
    // The two captions' texts depend only on the two settings, which most evaluations (a bar moved, a
    // box ticked) leave as they are: they are written again only when a setting has changed.
    const tarvex::MeasurementSetup start = window.ReadSetup();
    ExplanationRows::ExplainSettings(window, start);
    QObject::connect(&window, &Main::evaluated, &window,
                     [&window, mismatchMode = start.mismatchMode, fdLinSystematic = start.fdLinSystematic](
                         const tarvex::MeasurementSetup& setup) mutable {
                         if (setup.mismatchMode == mismatchMode && setup.fdLinSystematic == fdLinSystematic) {
                             return;
                         }
                         mismatchMode = setup.mismatchMode;
                         fdLinSystematic = setup.fdLinSystematic;
                         ExplanationRows::ExplainSettings(window, setup);
                     });
    AddWhatsThisKey(window);
}
