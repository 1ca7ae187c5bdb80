// The main window: loading it creates the controls, wires their handlers and runs the start sequence.

#include "ui/main/main_window.h"
#include "ui/controls/qt_text.h"

#include "budget/contribution.h"
#include "budget/inputs.h"
#include "budget/program_info.h"
#include "ui/accessibility/accessibility.h"
#include "ui/controls/clickable_label.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/selection_list.h"
#include "ui/info/help_window.h"
#include "ui/main/explanations.h"
#include "ui/main/input_area_rows.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>

#include <span>
#include <string_view>

namespace {

void AddItems(SelectionList* list, std::span<const std::string_view> texts) {
    for (const std::string_view text : texts) {
        list->addItem(ToQString(text));
    }
}

} // namespace

Main::Main(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(ToQString(tarvex::kProgramTitle));
    // Every control exists before any handler is connected, so that no handler, not even one raised
    // by the start sequence, can reach a control that is not built yet.
    CreateWidgets();
    CreateConnections();
    // What screen readers hear, the explanations and the help follow every evaluation from the first.
    AnnounceValueChanges(*this);
    AddExplanations(*this);
    AddHelp(*this, *mnu_Info, frmInfo);
    Form_Load();
}

Main::~Main() = default;

void Main::CreateConnections() {
    for (const ListRow& row : InputAreaRows::kLists) {
        connect(this->*row.list, &SelectionList::currentRowChanged, this, row.handler);
    }
    // valueChanged covers arrows, page steps, keys, the wheel, changes by the program and, with
    // tracking on, every step of a drag: change and scroll run the same action.
    for (const BarRow& row : InputAreaRows::kBars) {
        connect(this->*row.bar, &QScrollBar::valueChanged, this, row.handler);
    }

    for (QCheckBox* box : m_includeBoxes) {
        connect(box, &QCheckBox::toggled, this, &Main::Show_MU);
    }
    connect(opt_unit_db, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            opt_unit_db_Click();
        }
    });
    connect(opt_unit_percent, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected) {
            opt_unit_percent_Click();
        }
    });
    connect(lbl_IQ_M, &ClickableLabel::clicked, this, &Main::lbl_IQ_M_Click);
    connect(lbl_fd_Lin, &ClickableLabel::clicked, this, &Main::lbl_fd_Lin_Click);

    connect(mnuEnd, &QAction::triggered, this, &Main::mnuEnd_Click);
    connect(mnuSensor_Match_Conservative, &QAction::triggered, this,
            [this] { SetMismatchCaption(ToQString(tarvex::kMismatchConservativeCaption)); });
    connect(mnuSensor_Match_Probable, &QAction::triggered, this,
            [this] { SetMismatchCaption(ToQString(tarvex::kMismatchProbableCaption)); });
    connect(mnufd_Lin_sys, &QAction::triggered, this, [this] { SetLinearitySystematic(true); });
    connect(mnufd_Lin_nonsys, &QAction::triggered, this, [this] { SetLinearitySystematic(false); });
    connect(mnuOpenSetup, &QAction::triggered, this, &Main::mnuOpenSetup_Click);
    connect(mnuSetInputs, &QAction::triggered, this, &Main::mnuSetInputs_Click);
    connect(mnuChart, &QAction::triggered, this, &Main::mnuChart_Click);
    connect(frmInfo, &QAction::triggered, this, &Main::frmInfo_Click);
}

// The start sequence: the lists get their items and the window shows the start setup.
void Main::Form_Load() {
    flag_fd_lin_sys = false;
    for (const ListRow& row : InputAreaRows::kLists) {
        AddItems(this->*row.list, row.items());
    }
    ApplySetup(tarvex::StartSetup());
}
