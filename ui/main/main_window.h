#pragma once

#include "budget/contribution.h"
#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <string>

struct BarRow;
struct ListRow;
namespace tarvex {
struct SensorScrollRange;
}

class About;
class ChartWindowInterface;
class ClickableLabel;
class PositionScrollBar;
class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QRadioButton;
class ReportActions;
class SetInputsDialog;
class SelectionList;

// The program's single working window. Constructing it loads it: every control is created and the
// start sequence runs, while the window stays hidden until the splash hands over.
//
// How an input reaches the results: every control's change, click or selection runs its handler, which
// refreshes the input's read-out and then calls Show_MU. Show_MU reads all controls afresh into a
// MeasurementSetup, evaluates the budget in the core library and writes the fifteen result labels. The
// window keeps no state besides its controls, the mismatch caption of lbl_IQ_M and flag_fd_lin_sys.
class Main : public QMainWindow {
    Q_OBJECT
    // Whether the frequency-dependent linearity error is treated as systematic (read-only, for scripts).
    Q_PROPERTY(bool flag_fd_lin_sys READ FdLinSystematic)

public:
    explicit Main(QWidget* parent = nullptr);
    ~Main() override;

    bool FdLinSystematic() const { return flag_fd_lin_sys; }

    // The inputs of one evaluation, as the controls hold them now.
    tarvex::MeasurementSetup ReadSetup() const;
    // Sets every control to a setup, through the handlers a user's change runs: the lists first (so that
    // the sensor's ranges apply before level and frequency are set), then the bars, boxes and settings;
    // the budget is evaluated once, at the end. A frequency, level or return loss between the bars'
    // positions goes to the nearest position, so ReadSetup() may differ from the setup there. The
    // setup's lists' texts must be among the lists' items and its numbers inside the sensor's and the
    // fixed limits (as the command line's checks ensure); an unknown text leaves its list as it is.
    void ApplySetup(const tarvex::MeasurementSetup& setup);
    // The decimal separator of read-outs and results: the window's locale's.
    std::string DecimalSeparator() const;

    // Move the frequency bar to a position, or the level bar to a level in dBm, as the user would: the
    // bar's handler runs when the position changes. The chart window asks for these.
    void SetFrequencyPosition(int position);
    void SetLevel(int levelDbm);

signals:
    // Raised by every evaluation, after the labels are written: the setup read from the controls and its
    // budget. Windows that follow this one (documents, the chart) take their numbers from here and never
    // read this window's controls.
    void evaluated(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget);

private:
    // The file-scope row tables that creation builds controls from name the controls below.
    friend struct InputAreaRows;
    friend struct ResultTableRows;
    friend struct MenuRows;
    friend struct ExplanationRows;

    // Creation: the client and input area (main_window_layout.cpp), the result table
    // (main_window_table.cpp), the menus and the keyboard order (main_window_menus.cpp).
    void CreateWidgets();
    void CreateInputArea(QWidget* client);
    void CreateSelectionLists(QWidget* client);
    void CreateReadouts(QWidget* client);
    void CreateScrollBars(QWidget* client);
    void CreateResultTable(QWidget* client);
    void CreateTableHeadings();
    void CreateContributionRows();
    void CreateCombinedRow();
    void CreateUnitOptions();
    void CreateExpandedAndSystematicRows();
    void CreateMenus();
    void SetKeyboardOrder();

    // Wiring and start (main_window.cpp).
    void CreateConnections();
    void Form_Load();

    // Input handlers (main_window_handlers.cpp).
    void lstMeßkopf_Click();
    void vsbFrequenz_Change();
    void vsbPegel_Change();
    void vsbAnpassung_Change();
    void vsbFilter_Change();
    void vsbHarmonics2f_Change();
    void vsbHarmonics3f_Change();
    void vsbTemp_min_Change();
    void vsbTemp_max_Change();
    void UpdateSensorRange();
    void SetSensorRange(const tarvex::SensorScrollRange& range);

    // Setting a setup (main_window_setup.cpp): a list's row or a bar's position, running the control's
    // handler also when it already shows the value, so that every read-out is written.
    void SelectItem(const ListRow& row, const std::string& text);
    void SetPosition(const BarRow& row, int position);

    // Settings and units (main_window_settings.cpp).
    void mnuEnd_Click();
    void frmInfo_Click();
    void SetMismatchCaption(const QString& caption);
    void lbl_IQ_M_Click();
    void SetLinearitySystematic(bool systematic);
    void lbl_fd_Lin_Click();
    void SetUnitCaptions(const QString& expanded, const QString& systematic);
    void opt_unit_db_Click();
    void opt_unit_percent_Click();

    // File > Open Setup… (open_setup.cpp) and Edit > Set Inputs… (set_inputs_dialog.cpp).
    void mnuOpenSetup_Click();
    void mnuSetInputs_Click();

    // View > Uncertainty Chart (main_window_chart.cpp).
    void mnuChart_Click();

    // Read-outs and evaluation (main_window_display.cpp).
    void ShowFrequenz();
    void ShowPegel();
    void ShowImpedanz();
    void ShowHarmonics2f();
    void ShowHarmonics3f();
    void ShowSystematicError(bool show);
    void Show_MU();

    // Input area: captions, lists, bars and read-outs.
    QLabel* lblGrundgerät = nullptr;
    QLabel* lblResolution = nullptr;
    QLabel* Label2 = nullptr; // "Power Sensor"
    QLabel* lblTemp_min = nullptr;
    QLabel* lblTemp_max = nullptr;
    QLabel* lblAnpassung = nullptr;
    QLabel* lblReturnLoss = nullptr;
    QLabel* LblRflexionFaktor = nullptr;
    QLabel* lblVSWR = nullptr;
    QLabel* lblLevel = nullptr;
    QLabel* lblPower = nullptr;
    QLabel* FreqLabel = nullptr;
    QLabel* lblFilter = nullptr;
    QLabel* Label24 = nullptr; // "Harmonics 2f"
    QLabel* Label23 = nullptr; // "Harmonics 3f"
    SelectionList* lstGrundgerät = nullptr;
    SelectionList* lstResolution = nullptr;
    SelectionList* lstMeßkopf = nullptr;
    PositionScrollBar* vsbTemp_min = nullptr;
    PositionScrollBar* vsbTemp_max = nullptr;
    PositionScrollBar* vsbAnpassung = nullptr;
    PositionScrollBar* vsbPegel = nullptr;
    PositionScrollBar* vsbFrequenz = nullptr;
    PositionScrollBar* vsbFilter = nullptr;
    PositionScrollBar* vsbHarmonics2f = nullptr;
    PositionScrollBar* vsbHarmonics3f = nullptr;
    QLabel* lbl_Temp_Min = nullptr;
    QLabel* lbl_Temp_Max = nullptr;
    QLabel* lbl_Return_Loss = nullptr;
    QLabel* lbl_Reflexions_Faktor = nullptr;
    QLabel* lbl_VSWR = nullptr;
    QLabel* lbl_Level = nullptr;
    QLabel* lbl_Power = nullptr;
    QLabel* lbl_Frequency = nullptr;
    QLabel* lbl_Filter = nullptr;
    QLabel* lbl_Harmonics_2f = nullptr;
    QLabel* lbl_Harmonics_3f = nullptr;

    // Result table.
    QFrame* Frame1 = nullptr;
    ClickableLabel* lbl_IQ_M = nullptr;
    ClickableLabel* lbl_fd_Lin = nullptr;
    tarvex::PerContribution<QLabel*> m_captionLabels{};   // Label11 ..., lbl_IQ_M, lbl_fd_Lin
    tarvex::PerContribution<QLabel*> m_valueLabels{};     // lbl_u_<key>, evaluation order
    tarvex::PerContribution<QCheckBox*> m_includeBoxes{}; // chk_..., evaluation order
    QLabel* Label19 = nullptr;                            // "Combined Standard Uncertainty"
    QLabel* lbl_uc = nullptr;
    QLabel* lbl_MU_txt = nullptr;
    QLabel* lbl_MU = nullptr;
    QLabel* lbl_Systematic_error_txt = nullptr;
    QLabel* lbl_Systematic_Error = nullptr;
    QRadioButton* opt_unit_db = nullptr;
    QRadioButton* opt_unit_percent = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* mnuMenue = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnu_Info = nullptr;
    QAction* mnuOpenSetup = nullptr;
    QAction* mnuEnd = nullptr;
    QAction* mnuSetInputs = nullptr;
    QAction* mnuSensor_Match_Conservative = nullptr;
    QAction* mnuSensor_Match_Probable = nullptr;
    QAction* mnufd_Lin_sys = nullptr;
    QAction* mnufd_Lin_nonsys = nullptr;
    QAction* mnuChart = nullptr;
    QAction* frmInfo = nullptr;

    QPointer<About> m_about;
    QPointer<SetInputsDialog> m_setInputs;
    // The open chart window (from the chart plugin) and its interface, valid while the window lives.
    QPointer<QWidget> m_chartWindow;
    ChartWindowInterface* m_chart = nullptr;
    ReportActions* m_reportActions = nullptr; // copy, save and print of the budget

    // The frequency-dependent linearity error is treated as systematic.
    bool flag_fd_lin_sys = false;
    // While a setup is applied the handlers leave the evaluation to its end.
    bool m_deferEvaluation = false;
};
