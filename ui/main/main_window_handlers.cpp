// Input handlers of the main window: each refreshes its read-out and re-evaluates the budget.

#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include "budget/inputs.h"
#include "budget/value_mappings.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/selection_list.h"

#include <QLabel>

// Selecting a sensor narrows the frequency and level bars to the sensor's range. Each end is set on its
// own; a position outside the new range moves to the nearer end and raises that bar's handler, one
// inside stays, so a frequency or level chosen for one sensor survives a change to another where it can.
void Main::UpdateSensorRange() {
    SetSensorRange(tarvex::SensorScrollRangeOf(lstMeßkopf->selectedText().toStdString()));
}

void Main::SetSensorRange(const tarvex::SensorScrollRange& range) {
    vsbFrequenz->setMax(range.frequencyBottom);
    vsbFrequenz->setMin(range.frequencyTop);
    vsbPegel->setMin(range.levelTop);
    vsbPegel->setMax(range.levelBottom);
}

void Main::lstMeßkopf_Click() {
    UpdateSensorRange();
    Show_MU();
}

void Main::vsbFrequenz_Change() {
    ShowFrequenz();
    Show_MU();
}

void Main::vsbPegel_Change() {
    ShowPegel();
    Show_MU();
}

void Main::vsbAnpassung_Change() {
    ShowImpedanz();
    Show_MU();
}

void Main::vsbFilter_Change() {
    lbl_Filter->setText(ToQString(tarvex::FilterReadout(vsbFilter->value())));
    Show_MU();
}

void Main::vsbHarmonics2f_Change() {
    ShowHarmonics2f();
    Show_MU();
}

void Main::vsbHarmonics3f_Change() {
    ShowHarmonics3f();
    Show_MU();
}

// The lower temperature limit cannot pass the upper one: the bar the user moved is pushed back to the
// other's position (equal limits are allowed). Pushing it back re-enters this handler once, which then
// finds nothing to correct.
void Main::vsbTemp_min_Change() {
    if (vsbTemp_min->value() > vsbTemp_max->value()) {
        vsbTemp_min->setValue(vsbTemp_max->value());
    }
    lbl_Temp_Min->setText(ToQString(tarvex::TemperatureReadout(vsbTemp_min->value())));
    Show_MU();
}

void Main::vsbTemp_max_Change() {
    if (vsbTemp_max->value() < vsbTemp_min->value()) {
        vsbTemp_max->setValue(vsbTemp_min->value());
    }
    lbl_Temp_Max->setText(ToQString(tarvex::TemperatureReadout(vsbTemp_max->value())));
    Show_MU();
}
