// The settings of the main window: mismatch mode, linearity treatment, result unit, End and About.

#include "ui/controls/qt_text.h"
#include "ui/main/main_window.h"

#include "budget/contribution.h"
#include "budget/presentation.h"
#include "ui/controls/clickable_label.h"
#include "ui/info/about.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>

// Ends the program at once, even while the About box is open: nothing is asked and nothing is saved.
void Main::mnuEnd_Click() { // NOLINT(readability-convert-member-functions-to-static): a menu handler
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

// The About box is non-modal; asking for it while it is open brings it forward. It deletes itself on OK,
// and the next request creates it afresh.
void Main::frmInfo_Click() {
    if (m_about.isNull()) {
        m_about = new About(this);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// The mismatch row caption is the mismatch mode: the evaluation reads it back.
void Main::SetMismatchCaption(const QString& caption) {
    lbl_IQ_M->setText(caption);
    m_valueLabels[tarvex::Index(tarvex::Contribution::M)]->setAccessibleName(caption);
    m_includeBoxes[tarvex::Index(tarvex::Contribution::M)]->setAccessibleName(caption);
    Show_MU();
}

void Main::lbl_IQ_M_Click() {
    const QString probable = ToQString(tarvex::kMismatchProbableCaption);
    SetMismatchCaption(lbl_IQ_M->text() == probable ? ToQString(tarvex::kMismatchConservativeCaption)
                                                    : probable);
}

void Main::SetLinearitySystematic(bool systematic) {
    flag_fd_lin_sys = systematic;
    Show_MU();
}

void Main::lbl_fd_Lin_Click() {
    SetLinearitySystematic(!flag_fd_lin_sys);
}

// The captions below the table name what the results are expressed in: the level (dB) or the power (%).
void Main::SetUnitCaptions(const QString& expanded, const QString& systematic) {
    lbl_MU_txt->setText(expanded);
    lbl_Systematic_error_txt->setText(systematic);
    lbl_MU->setAccessibleName(expanded);
    lbl_Systematic_Error->setAccessibleName(systematic);
    Show_MU();
}

void Main::opt_unit_db_Click() {
    SetUnitCaptions(ToQString(tarvex::ExpandedCaption(tarvex::ResultUnit::dB)),
                    ToQString(tarvex::SystematicCaption(tarvex::ResultUnit::dB)));
}

void Main::opt_unit_percent_Click() {
    SetUnitCaptions(ToQString(tarvex::ExpandedCaption(tarvex::ResultUnit::percent)),
                    ToQString(tarvex::SystematicCaption(tarvex::ResultUnit::percent)));
}
