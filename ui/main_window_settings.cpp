// The settings of the main window: mismatch mode, linearity treatment, result unit, End and About.

#include "ui/main_window.h"

#include "budget/contribution.h"
#include "ui/about.h"
#include "ui/clickable_label.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>

namespace {

QString Caption(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

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
    const QString probable = Caption(tarvex::kMismatchProbableCaption);
    SetMismatchCaption(lbl_IQ_M->text() == probable ? Caption(tarvex::kMismatchConservativeCaption)
                                                    : probable);
}

void Main::SetLinearitySystematic(bool systematic) {
    flag_fd_lin_sys = systematic;
    Show_MU();
}

void Main::lbl_fd_Lin_Click() {
    SetLinearitySystematic(!flag_fd_lin_sys);
}

void Main::opt_unit_db_Click() {
    lbl_MU_txt->setText(QStringLiteral("Expanded Uncertainty of Level (k=2)"));
    lbl_Systematic_error_txt->setText(QStringLiteral("Systematic Error of Level"));
    lbl_MU->setAccessibleName(lbl_MU_txt->text());
    lbl_Systematic_Error->setAccessibleName(lbl_Systematic_error_txt->text());
    Show_MU();
}

void Main::opt_unit_percent_Click() {
    lbl_MU_txt->setText(QStringLiteral("Expanded Uncertainty of Power (k=2)"));
    lbl_Systematic_error_txt->setText(QStringLiteral("Systematic Error of Power"));
    lbl_MU->setAccessibleName(lbl_MU_txt->text());
    lbl_Systematic_Error->setAccessibleName(lbl_Systematic_error_txt->text());
    Show_MU();
}
