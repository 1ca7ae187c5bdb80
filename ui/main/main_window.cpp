// The main window: loading it creates the controls, wires their handlers and runs the start sequence.

#include "ui/main/main_window.h"
#include "ui/controls/qt_text.h"

#include "budget/budget_description.h"
#include "budget/contribution.h"
#include "budget/inputs.h"
#include "ui/accessibility/accessibility.h"
#include "ui/controls/clickable_label.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/selection_list.h"
#include "ui/info/help_window.h"
#include "ui/main/explanations.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>

#include <span>
#include <string_view>

namespace {

// Start selections: TS-301, BX-20 and "0.01 dB".
constexpr int kStartSensorRow = 13;
constexpr int kStartBasicUnitRow = 0;
constexpr int kStartResolutionRow = 1;

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
    AddHelp(*this);
    Form_Load();
}

Main::~Main() = default;

void Main::CreateConnections() {
    connect(lstMeßkopf, &SelectionList::currentRowChanged, this, &Main::lstMeßkopf_Click);
    connect(lstGrundgerät, &SelectionList::currentRowChanged, this, &Main::Show_MU);
    connect(lstResolution, &SelectionList::currentRowChanged, this, &Main::Show_MU);

    // valueChanged covers arrows, page steps, keys, the wheel, changes by the program and, with
    // tracking on, every step of a drag: change and scroll run the same action.
    connect(vsbFrequenz, &QScrollBar::valueChanged, this, &Main::vsbFrequenz_Change);
    connect(vsbPegel, &QScrollBar::valueChanged, this, &Main::vsbPegel_Change);
    connect(vsbAnpassung, &QScrollBar::valueChanged, this, &Main::vsbAnpassung_Change);
    connect(vsbFilter, &QScrollBar::valueChanged, this, &Main::vsbFilter_Change);
    connect(vsbHarmonics2f, &QScrollBar::valueChanged, this, &Main::vsbHarmonics2f_Change);
    connect(vsbHarmonics3f, &QScrollBar::valueChanged, this, &Main::vsbHarmonics3f_Change);
    connect(vsbTemp_min, &QScrollBar::valueChanged, this, &Main::vsbTemp_min_Change);
    connect(vsbTemp_max, &QScrollBar::valueChanged, this, &Main::vsbTemp_max_Change);

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
    connect(mnuChart, &QAction::triggered, this, &Main::mnuChart_Click);
    connect(frmInfo, &QAction::triggered, this, &Main::frmInfo_Click);
}

// The start sequence. Each selection and position below raises its handler, which evaluates the budget
// with whatever is set so far (lists without selection read as empty text and count as no value);
// the last evaluation sees every input set.
void Main::Form_Load() {
    flag_fd_lin_sys = false;

    AddItems(lstMeßkopf, tarvex::SensorModels());
    lstMeßkopf->setCurrentRow(kStartSensorRow); // narrows frequency and level to the sensor's range

    AddItems(lstGrundgerät, tarvex::BasicUnitModels());
    lstGrundgerät->setCurrentRow(kStartBasicUnitRow);

    AddItems(lstResolution, tarvex::Resolutions());
    lstResolution->setCurrentRow(kStartResolutionRow);

    // Lower temperature first: 22 lies below the design upper limit 50, so the interlock never acts.
    vsbFilter->setValue(7);
    vsbHarmonics2f->setValue(-40);
    vsbHarmonics3f->setValue(-50);
    vsbTemp_min->setValue(22);
    vsbTemp_max->setValue(24);

    // Source match and level keep their design positions, so no handler has written these yet.
    ShowImpedanz();
    ShowPegel();
    ShowFrequenz();
    Show_MU();
}
