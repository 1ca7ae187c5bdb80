// Read-outs of the inputs and the evaluation of the whole budget into the result table.

#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include "budget/presentation.h"
#include "budget/uncertainty_budget.h"
#include "budget/value_mappings.h"
#include "ui/controls/clickable_label.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/selection_list.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>

// Read-outs and results follow the window's locale (the user's, unless set otherwise) for the decimal
// separator.
std::string Main::DecimalSeparator() const {
    return locale().decimalPoint().toStdString();
}

void Main::ShowFrequenz() {
    lbl_Frequency->setText(ToQString(tarvex::FrequencyReadout(vsbFrequenz->value(), DecimalSeparator())));
}

void Main::ShowPegel() {
    const std::string separator = DecimalSeparator();
    lbl_Level->setText(ToQString(tarvex::LevelReadout(vsbPegel->value(), separator)));
    lbl_Power->setText(ToQString(tarvex::PowerReadout(vsbPegel->value(), separator)));
}

void Main::ShowImpedanz() {
    const tarvex::ImpedanceReadouts readouts =
        tarvex::ImpedanceReadout(vsbAnpassung->value(), DecimalSeparator());
    lbl_Return_Loss->setText(ToQString(readouts.returnLoss));
    lbl_Reflexions_Faktor->setText(ToQString(readouts.reflectionCoefficient));
    lbl_VSWR->setText(ToQString(readouts.vswr));
}

void Main::ShowHarmonics2f() {
    lbl_Harmonics_2f->setText(ToQString(tarvex::HarmonicReadout(vsbHarmonics2f->value())));
}

void Main::ShowHarmonics3f() {
    lbl_Harmonics_3f->setText(ToQString(tarvex::HarmonicReadout(vsbHarmonics3f->value())));
}

// The budget decides whether the systematic-error row shows: only while the linearity error is ticked
// and treated as systematic.
void Main::ShowSystematicError(bool show) {
    lbl_Systematic_error_txt->setVisible(show);
    lbl_Systematic_Error->setVisible(show);
}

// Evaluates the budget of the inputs as they stand and writes all fifteen result labels, then shows or
// hides the systematic-error row. Nothing is kept between evaluations.
void Main::Show_MU() {
    if (m_deferEvaluation) {
        return;
    }
    const tarvex::MeasurementSetup setup = ReadSetup();
    const tarvex::UncertaintyBudget budget = tarvex::EvaluateBudget(setup);
    const tarvex::ResultTexts texts = tarvex::PresentBudget(budget, setup.unit, DecimalSeparator());
    for (std::size_t i = 0; i < tarvex::kContributionCount; ++i) {
        m_valueLabels[i]->setText(ToQString(texts.u[i]));
    }
    lbl_uc->setText(ToQString(texts.uc));
    lbl_MU->setText(ToQString(texts.MU));
    lbl_Systematic_Error->setText(ToQString(texts.systematicError));
    ShowSystematicError(budget.showSystematic);
    emit evaluated(setup, budget);
}
