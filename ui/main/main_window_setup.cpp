// A setup read from the controls, and the controls set to a setup.

#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include "budget/presentation.h"
#include "ui/controls/clickable_label.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/selection_list.h"
#include "ui/main/input_area_rows.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>

tarvex::MeasurementSetup Main::ReadSetup() const {
    tarvex::MeasurementSetup setup;
    for (const ListRow& row : InputAreaRows::kLists) {
        setup.*row.value = (this->*row.list)->selectedText().toStdString();
    }
    for (const BarRow& row : InputAreaRows::kBars) {
        row.read((this->*row.bar)->value(), setup);
    }
    for (std::size_t i = 0; i < tarvex::kContributionCount; ++i) {
        setup.include[i] = m_includeBoxes[i]->isChecked() ? 1 : 0;
    }
    setup.unit = opt_unit_percent->isChecked() ? tarvex::ResultUnit::percent : tarvex::ResultUnit::dB;
    setup.mismatchMode = tarvex::MismatchModeFromCaption(lbl_IQ_M->text().toStdString());
    setup.fdLinSystematic = flag_fd_lin_sys;
    return setup;
}

void Main::ApplySetup(const tarvex::MeasurementSetup& setup) {
    m_deferEvaluation = true;
    for (const ListRow& row : InputAreaRows::kLists) {
        SelectItem(row, setup.*row.value);
    }
    // The temperature limits hold each other in order: a lower limit above the present upper one would
    // be pushed back, so the upper limit goes first then.
    if (setup.tempMin > vsbTemp_max->value()) {
        SetPosition(InputAreaRows::Bar(&Main::vsbTemp_max), setup.tempMax);
    }
    for (const BarRow& row : InputAreaRows::kBars) {
        SetPosition(row, row.positionOf(setup));
    }
    for (std::size_t i = 0; i < tarvex::kContributionCount; ++i) {
        m_includeBoxes[i]->setChecked(setup.include[i] != 0);
    }
    (setup.unit == tarvex::ResultUnit::percent ? opt_unit_percent : opt_unit_db)->setChecked(true);
    SetMismatchCaption(ToQString(tarvex::MismatchCaption(setup.mismatchMode)));
    SetLinearitySystematic(setup.fdLinSystematic);
    m_deferEvaluation = false;
    Show_MU();
}

void Main::SelectItem(const ListRow& row, const std::string& text) {
    const std::span<const std::string_view> items = row.items();
    const auto found = std::ranges::find(items, std::string_view(text));
    if (found == items.end()) {
        return;
    }
    const int index = static_cast<int>(found - items.begin());
    SelectionList* list = this->*row.list;
    if (list->currentRow() == index) {
        (this->*row.handler)();
    } else {
        list->setCurrentRow(index);
    }
}

// A position outside the bar's ends is taken to the nearer end, as the bar itself would.
void Main::SetPosition(const BarRow& row, int position) {
    PositionScrollBar* bar = this->*row.bar;
    const int inside = std::clamp(position, bar->minimum(), bar->maximum());
    if (bar->value() == inside) {
        (this->*row.handler)();
    } else {
        bar->setValue(inside);
    }
}
