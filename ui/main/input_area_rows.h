#pragma once

// The rows of the main window's input area: one per list, read-out and scroll bar, naming the window's
// controls by pointers to members. Creation builds the controls from them, CreateConnections wires each
// control to its handler, and ReadSetup and ApplySetup move values between a setup and the controls
// through them, so that a control missing from the window fails the build.

#include "budget/input_table.h"
#include "budget/inputs.h"
#include "budget/measurement_setup.h"
#include "budget/value_mappings.h"
#include "ui/controls/twip_layout.h"
#include "ui/main/main_window.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

using MainHandler = void (Main::*)();

// A list under its caption; the caption is also the list's accessible name.
struct ListRow {
    SelectionList* Main::*list;
    QLabel* Main::*captionLabel;
    MainHandler handler; // runs when the selection changes
    std::string tarvex::MeasurementSetup::*value;
    std::span<const std::string_view> (*items)();
    const char* name;
    const char* captionName;
    std::string_view caption; // shown above the list, and its accessible name
    int left;
};

// Captions of the inputs, without border.
struct CaptionRow {
    QLabel* Main::*label;
    const char* name;
    std::string_view text;
    twips::Rect rect;
};

// Read-outs: one line high, single-line border; the accessible name is the input's caption.
struct ReadoutRow {
    QLabel* Main::*label;
    const char* name;
    std::string_view accessibleName;
    twips::Rect rect;
};

// A scroll bar, the read-out that shows its value and the handler its changes run. Its ends are a range
// of kFixedInputLimits, the top end the range's highest number unless up lowers the quantity (the source
// match, where up is a worse match); without a fixed range the ends are the selected sensor's. The large
// change and the design value are the bar's own. positionOf gives the bar's position for a setup (the
// nearest one where the setup's value lies between positions), read writes a position into a setup.
struct BarRow {
    PositionScrollBar* Main::*bar;
    QLabel* Main::*readout;
    MainHandler handler;
    const char* name;
    std::string_view accessibleName;
    twips::Rect rect;
    const tarvex::WholeRange tarvex::FixedInputLimits::*range;
    bool upLowers;
    int largeChange;
    int designValue;
    int (*positionOf)(const tarvex::MeasurementSetup& setup);
    void (*read)(int position, tarvex::MeasurementSetup& setup);
};

// The caption of an input as documents and accessible names show it.
constexpr std::string_view CaptionOf(tarvex::Input input) {
    return tarvex::InfoOf(input).caption;
}

// The rows name the window's private controls, so they live in a friend of the window.
struct InputAreaRows {
    using Setup = tarvex::MeasurementSetup;
    using Limits = tarvex::FixedInputLimits;
    using In = tarvex::Input;

    // The sensor last: ApplySetup selects in this order and sets the bars after all lists.
    static constexpr std::array<ListRow, 3> kLists{{
        {&Main::lstGrundgerät, &Main::lblGrundgerät, &Main::Show_MU, &Setup::basicUnit,
         tarvex::BasicUnitModels, "lstGrundgerät", "lblGrundgerät", CaptionOf(In::basicUnit), 240},
        {&Main::lstResolution, &Main::lblResolution, &Main::Show_MU, &Setup::resolution, tarvex::Resolutions,
         "lstResolution", "lblResolution", CaptionOf(In::resolution), 1800},
        {&Main::lstMeßkopf, &Main::Label2, &Main::lstMeßkopf_Click, &Setup::sensor, tarvex::SensorModels,
         "lstMeßkopf", "Label2", CaptionOf(In::sensor), 3360},
    }};

    static constexpr std::array<CaptionRow, 12> kCaptions{{
        // The drawing's caption has two blanks before "Limit".
        {&Main::lblTemp_min, "lblTemp_min", "Lower Temp.  Limit", {5160, 120, 1440, 255}},
        {&Main::lblTemp_max, "lblTemp_max", CaptionOf(In::tempMax), {7200, 120, 1440, 255}},
        {&Main::lblAnpassung, "lblAnpassung", tarvex::kSourceMatchCaption, {1200, 1560, 1680, 255}},
        {&Main::lblReturnLoss, "lblReturnLoss", CaptionOf(In::returnLoss), {240, 1920, 1560, 255}},
        {&Main::LblRflexionFaktor,
         "LblRflexionFaktor",
         tarvex::kReflectionCoefficientCaption,
         {240, 2400, 1560, 255}},
        {&Main::lblVSWR, "lblVSWR", tarvex::kVswrCaption, {240, 2880, 1560, 255}},
        {&Main::lblLevel, "lblLevel", CaptionOf(In::level), {3480, 1560, 975, 255}},
        {&Main::lblPower, "lblPower", tarvex::kPowerCaption, {3480, 2520, 975, 255}},
        {&Main::FreqLabel, "FreqLabel", CaptionOf(In::frequency), {5160, 1560, 1335, 255}},
        {&Main::lblFilter, "lblFilter", CaptionOf(In::filter), {7680, 1560, 780, 255}},
        {&Main::Label24, "Label24", CaptionOf(In::harmonic2f), {7440, 3480, 1020, 255}},
        {&Main::Label23, "Label23", CaptionOf(In::harmonic3f), {7440, 5400, 1020, 255}},
    }};

    static constexpr std::array<ReadoutRow, 11> kReadouts{{
        {&Main::lbl_Temp_Min, "lbl_Temp_Min", CaptionOf(In::tempMin), {5160, 600, 1335, 255}},
        {&Main::lbl_Temp_Max, "lbl_Temp_Max", CaptionOf(In::tempMax), {7200, 600, 1335, 255}},
        {&Main::lbl_Return_Loss, "lbl_Return_Loss", CaptionOf(In::returnLoss), {1920, 1920, 855, 255}},
        {&Main::lbl_Reflexions_Faktor,
         "lbl_Reflexions_Faktor",
         tarvex::kReflectionCoefficientCaption,
         {1920, 2400, 855, 255}},
        {&Main::lbl_VSWR, "lbl_VSWR", tarvex::kVswrCaption, {1920, 2880, 855, 255}},
        {&Main::lbl_Level, "lbl_Level", CaptionOf(In::level), {3480, 1920, 975, 255}},
        {&Main::lbl_Power, "lbl_Power", tarvex::kPowerCaption, {3480, 2880, 975, 255}},
        {&Main::lbl_Frequency, "lbl_Frequency", CaptionOf(In::frequency), {5160, 1920, 1335, 255}},
        {&Main::lbl_Filter, "lbl_Filter", CaptionOf(In::filter), {7680, 1920, 615, 255}},
        {&Main::lbl_Harmonics_2f, "lbl_Harmonics_2f", CaptionOf(In::harmonic2f), {7440, 3840, 855, 255}},
        {&Main::lbl_Harmonics_3f, "lbl_Harmonics_3f", CaptionOf(In::harmonic3f), {7440, 5760, 855, 255}},
    }};

    static constexpr std::array<BarRow, 8> kBars{{
        {&Main::vsbTemp_min,
         &Main::lbl_Temp_Min,
         &Main::vsbTemp_min_Change,
         "vsbTemp_min",
         CaptionOf(In::tempMin),
         {6720, 0, 255, 1335},
         &Limits::temperatureC,
         false,
         1,
         0,
         [](const Setup& s) { return s.tempMin; },
         [](int position, Setup& s) { s.tempMin = position; }},
        {&Main::vsbTemp_max,
         &Main::lbl_Temp_Max,
         &Main::vsbTemp_max_Change,
         "vsbTemp_max",
         CaptionOf(In::tempMax),
         {8760, 0, 255, 1335},
         &Limits::temperatureC,
         false,
         1,
         50,
         [](const Setup& s) { return s.tempMax; },
         [](int position, Setup& s) { s.tempMax = position; }},
        {&Main::vsbAnpassung,
         &Main::lbl_Return_Loss,
         &Main::vsbAnpassung_Change,
         "vsbAnpassung",
         tarvex::kSourceMatchCaption,
         {3000, 1560, 255, 1695},
         &Limits::returnLossTenths,
         true,
         10,
         200,
         [](const Setup& s) { return tarvex::NearestReturnLossPosition(s.returnLossDb).value_or(0); },
         [](int position, Setup& s) { s.returnLossDb = tarvex::ReturnLossFromPosition(position); }},
        {&Main::vsbPegel,
         &Main::lbl_Level,
         &Main::vsbPegel_Change,
         "vsbPegel",
         CaptionOf(In::level),
         {4680, 1560, 255, 1695},
         nullptr,
         false,
         5,
         0,
         [](const Setup& s) { return tarvex::NearestLevelPosition(s.level).value_or(0); },
         [](int position, Setup& s) { s.level = position; }},
        {&Main::vsbFrequenz,
         &Main::lbl_Frequency,
         &Main::vsbFrequenz_Change,
         "vsbFrequenz",
         CaptionOf(In::frequency),
         {6720, 1560, 255, 1695},
         nullptr,
         false,
         50,
         4000,
         [](const Setup& s) { return tarvex::NearestFrequencyPosition(s.frequency).value_or(0); },
         [](int position, Setup& s) { s.frequency = tarvex::vsb_to_Freq(position).value_or(0.0); }},
        {&Main::vsbFilter,
         &Main::lbl_Filter,
         &Main::vsbFilter_Change,
         "vsbFilter",
         CaptionOf(In::filter),
         {8520, 1560, 255, 1695},
         &Limits::filterNumber,
         false,
         1,
         0,
         [](const Setup& s) { return s.filterNumber; },
         [](int position, Setup& s) { s.filterNumber = position; }},
        {&Main::vsbHarmonics2f,
         &Main::lbl_Harmonics_2f,
         &Main::vsbHarmonics2f_Change,
         "vsbHarmonics2f",
         CaptionOf(In::harmonic2f),
         {8520, 3480, 255, 1695},
         &Limits::harmonicDbc,
         false,
         1,
         -20,
         [](const Setup& s) { return s.harmonic2f; },
         [](int position, Setup& s) { s.harmonic2f = position; }},
        {&Main::vsbHarmonics3f,
         &Main::lbl_Harmonics_3f,
         &Main::vsbHarmonics3f_Change,
         "vsbHarmonics3f",
         CaptionOf(In::harmonic3f),
         {8520, 5400, 255, 1695},
         &Limits::harmonicDbc,
         false,
         1,
         -80,
         [](const Setup& s) { return s.harmonic3f; },
         [](int position, Setup& s) { s.harmonic3f = position; }},
    }};

    // The row of a bar.
    static constexpr const BarRow& Bar(PositionScrollBar* Main::*bar) {
        for (const BarRow& row : kBars) {
            if (row.bar == bar) {
                return row;
            }
        }
        return kBars.front(); // every bar has a row; unreachable
    }
};
