#pragma once

#include "budget/contribution.h"

#include <array>
#include <string_view>

// The twelve contribution rows of the result table as they stand on screen, top to bottom: the object
// names of each row's caption label, value label and inclusion check box. Label28 appears twice in the
// original drawing (index 0 and 2); the second is named Label28_2. Four check boxes differ from their
// value labels in case or form (chk_Temp, chk_Res, chk_P_coeff, chk_fd_lin).
struct ResultRow {
    tarvex::Contribution key;
    std::string_view captionLabel;
    std::string_view valueLabel;
    std::string_view checkBox;
};

inline constexpr std::array<ResultRow, tarvex::kContributionCount> kResultRows{{
    {tarvex::Contribution::cal, "Label11", "lbl_u_cal", "chk_cal"},
    {tarvex::Contribution::noise, "Label12", "lbl_u_noise", "chk_noise"},
    {tarvex::Contribution::drift, "Label13", "lbl_u_drift", "chk_drift"},
    {tarvex::Contribution::lin, "Label14", "lbl_u_lin", "chk_lin"},
    {tarvex::Contribution::M, "lbl_IQ_M", "lbl_u_M", "chk_M"},
    {tarvex::Contribution::temp, "Label16", "lbl_u_temp", "chk_Temp"},
    {tarvex::Contribution::GG, "Label17", "lbl_u_GG", "chk_GG"},
    {tarvex::Contribution::res, "Label18", "lbl_u_res", "chk_Res"},
    {tarvex::Contribution::P_Coeff, "Label1", "lbl_u_P_Coeff", "chk_P_coeff"},
    {tarvex::Contribution::fd_Lin, "lbl_fd_Lin", "lbl_u_fd_Lin", "chk_fd_lin"},
    {tarvex::Contribution::Harmonics2f, "Label28", "lbl_u_Harmonics2f", "chk_Harmonics2f"},
    {tarvex::Contribution::Harmonics3f, "Label28_2", "lbl_u_Harmonics3f", "chk_Harmonics3f"},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kResultRows.size(); ++i) {
            if (kResultRows[i].key != tarvex::kTableOrder[i]) {
                return false;
            }
        }
        return true;
    }(),
    "the window's rows stand in the core's table order");
