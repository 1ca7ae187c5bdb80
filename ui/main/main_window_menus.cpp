// The main window's menus and the keyboard order of its controls.

#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/selection_list.h"
#include "ui/main/main_window.h"
#include "ui/report/report_actions.h"

#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include <array>

using tarvex::Contribution;
using tarvex::Index;

namespace {

struct MenuTitle {
    QMenu* Main::*menu;
    const char* name;
    const char* text;
};

struct MenuItem {
    QMenu* Main::*menu;
    QAction* Main::*action;
    const char* name;
    const char* text;
    QKeyCombination shortcut = Qt::Key_unknown; // none
};

} // namespace

// The rows name the window's private controls, so they live in a friend of the window.
struct MenuRows {
    static constexpr std::array<MenuTitle, 5> kTitles{{
        {&Main::mnuFile, "mnuFile", "&File"},
        {&Main::mnuEdit, "mnuEdit", "&Edit"},
        {&Main::mnuMenue, "mnuMenue", "&Settings"},
        {&Main::mnuView, "mnuView", "&View"},
        {&Main::mnu_Info, "mnu_Info", "&Info"},
    }};

    // The report's actions go in between Open Setup and End (ReportActions).
    static constexpr std::array<MenuItem, 9> kItems{{
        {&Main::mnuFile, &Main::mnuOpenSetup, "mnuOpenSetup", "&Open Setup\u2026", Qt::CTRL | Qt::Key_O},
        {&Main::mnuFile, &Main::mnuEnd, "mnuEnd", "&End"},
        {&Main::mnuEdit, &Main::mnuSetInputs, "mnuSetInputs", "&Set Inputs\u2026", Qt::CTRL | Qt::Key_I},
        {&Main::mnuMenue, &Main::mnuSensor_Match_Conservative, "mnuSensor_Match_Conservative",
         "Sensor Match (&conservative)"},
        {&Main::mnuMenue, &Main::mnuSensor_Match_Probable, "mnuSensor_Match_Probable",
         "Sensor Match (&probable)"},
        {&Main::mnuMenue, &Main::mnufd_Lin_sys, "mnufd_Lin_sys",
         "Frequency dep. Linearity Error: systematic"},
        {&Main::mnuMenue, &Main::mnufd_Lin_nonsys, "mnufd_Lin_nonsys",
         "Frequency dep. Linearity Error: statistical"},
        {&Main::mnuView, &Main::mnuChart, "mnuChart", "Uncertainty &Chart…", Qt::CTRL | Qt::Key_G},
        {&Main::mnu_Info, &Main::frmInfo, "frmInfo", "About"},
    }};
};

void Main::CreateMenus() {
    for (const MenuTitle& title : MenuRows::kTitles) {
        QMenu* menu = menuBar()->addMenu(ToQString(title.text));
        menu->setObjectName(ToQString(title.name));
        this->*title.menu = menu;
    }
    for (const MenuItem& item : MenuRows::kItems) {
        QAction* action = (this->*item.menu)->addAction(ToQString(item.text));
        action->setObjectName(ToQString(item.name));
        if (item.shortcut.key() != Qt::Key_unknown) {
            action->setShortcut(QKeySequence(item.shortcut));
        }
        this->*item.action = action;
    }
    m_reportActions = new ReportActions(*this, *mnuFile, mnuEnd, *Frame1);
}

// The order in which Tab visits the controls: the inputs, the inclusion check boxes, the unit options.
void Main::SetKeyboardOrder() {
    auto box = [this](Contribution key) -> QWidget* { return m_includeBoxes[Index(key)]; };
    const std::array<QWidget*, 25> order{
        lstGrundgerät,
        vsbAnpassung,
        vsbPegel,
        vsbFrequenz,
        lstMeßkopf,
        vsbFilter,
        vsbHarmonics3f,
        vsbHarmonics2f,
        lstResolution,
        vsbTemp_max,
        vsbTemp_min,
        box(Contribution::cal),
        box(Contribution::noise),
        box(Contribution::drift),
        box(Contribution::M),
        box(Contribution::lin),
        box(Contribution::res),
        box(Contribution::fd_Lin),
        box(Contribution::P_Coeff),
        box(Contribution::GG),
        box(Contribution::Harmonics2f),
        box(Contribution::Harmonics3f),
        box(Contribution::temp),
        opt_unit_db,
        opt_unit_percent,
    };
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}
