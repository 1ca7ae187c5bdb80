// Creation of the main window's result table: headings, the twelve contribution rows, the combined
// uncertainty, the unit options and the expanded-uncertainty and systematic-error rows.

#include "budget/budget_description.h"
#include "budget/presentation.h"
#include "ui/controls/clickable_label.h"
#include "ui/controls/placed_labels.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/twip_layout.h"
#include "ui/controls/value_label.h"
#include "ui/main/main_window.h"
#include "ui/main/result_rows.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

#include <array>

using tarvex::Contribution;
using tarvex::Index;
using tarvex::kContributions;
using twips::kCaptionAlignment;
using twips::PlaceBorderedLabel;
using twips::Rect;

namespace {

// Columns of the table, as left and width in twips inside Frame1.
constexpr int kCaptionLeft = 1800;
constexpr int kCaptionWidth = 2655;
constexpr int kValueLeft = 4440;
constexpr int kValueWidth = 1095;
constexpr int kCheckLeft = 5640;
constexpr int kWideCaptionLeft = 1080; // the expanded-uncertainty and systematic-error captions
constexpr int kWideCaptionWidth = 3375;
constexpr int kLineHeight = 255;
constexpr int kBoxSize = 255;

// Rows: the headings are two lines high; the contribution rows follow at a pitch that leaves
// neighbouring cells one shared border line.
constexpr int kHeadingTop = 240;
constexpr int kHeadingHeight = 495;
constexpr int kFirstRowTop = 720;
constexpr int kRowPitch = 240;
constexpr int kUncertaintyTop = 3720;
constexpr int kUnitHeadingTop = 3840;
constexpr int kExpandedTop = 4080;
constexpr int kSystematicTop = 4320;
constexpr int kDbLeft = 5760;
constexpr int kPercentLeft = 6240;

// A unit heading above its option button: a caption, not a table cell, so without border.
struct UnitColumn {
    const char* headingName;
    const char* heading;
    QRadioButton* Main::*button;
    const char* buttonName;
    const char* description;
    int left;
};

} // namespace

// The rows name the window's private controls, so they live in a friend of the window.
struct ResultTableRows {
    static constexpr std::array<UnitColumn, 2> kUnits{{
        {"Label4", "dB", &Main::opt_unit_db, "opt_unit_db", "Results in dB, of level", kDbLeft},
        {"Label5", "%", &Main::opt_unit_percent, "opt_unit_percent", "Results in percent, of power",
         kPercentLeft},
    }};

    // The mismatch and linearity captions switch their setting when clicked.
    static constexpr ClickableLabel* Main::*ClickableCaption(Contribution key) {
        if (key == Contribution::M) {
            return &Main::lbl_IQ_M;
        }
        return key == Contribution::fd_Lin ? &Main::lbl_fd_Lin : nullptr;
    }
};

void Main::CreateResultTable(QWidget* client) {
    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::ToPixels(Rect{120, 3480, 6855, 4695}, false));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched, as a frame without caption
    CreateTableHeadings();
    CreateContributionRows();
    CreateCombinedRow();
    CreateUnitOptions();
    CreateExpandedAndSystematicRows();
}

void Main::CreateTableHeadings() {
    PlaceBorderedLabel(new QLabel(Frame1), QStringLiteral("lbl_Influence_Quantity"),
                       ToQString(tarvex::kInfluenceQuantityHeading),
                       {kCaptionLeft, kHeadingTop, kCaptionWidth, kHeadingHeight}, Qt::AlignCenter, true);
    PlaceBorderedLabel(new QLabel(Frame1), QStringLiteral("lbl_Standard_Uncertainty"),
                       ToQString(tarvex::kStandardUncertaintyHeading),
                       {kValueLeft, kHeadingTop, kValueWidth, kHeadingHeight}, Qt::AlignCenter, true)
        ->setWordWrap(true);
}

// One row per contribution in the table's order: caption, value and inclusion check box.
void Main::CreateContributionRows() {
    int top = kFirstRowTop;
    for (const ResultRow& row : kResultRows) {
        const QString caption = ToQString(kContributions[Index(row.key)].caption);
        QLabel* captionLabel = nullptr;
        if (ClickableLabel* Main::*clickable = ResultTableRows::ClickableCaption(row.key)) {
            this->*clickable = new ClickableLabel(Frame1);
            captionLabel = this->*clickable;
        } else {
            captionLabel = new QLabel(Frame1);
        }
        m_captionLabels[Index(row.key)] =
            PlaceBorderedLabel(captionLabel, ToQString(row.captionLabel), caption,
                               {kCaptionLeft, top, kCaptionWidth, kLineHeight}, kCaptionAlignment);

        QLabel* value = PlaceBorderedLabel(new ValueLabel(Frame1), ToQString(row.valueLabel), QString(),
                                           {kValueLeft, top, kValueWidth, kLineHeight}, Qt::AlignCenter);
        value->setAccessibleName(caption);
        m_valueLabels[Index(row.key)] = value;

        auto* box = twips::Place(new QCheckBox(Frame1), ToQString(row.checkBox),
                                 {kCheckLeft, top, kBoxSize, kBoxSize}, false);
        box->setChecked(true);
        box->setAccessibleName(caption);
        box->setAccessibleDescription(QStringLiteral("Include in the combined uncertainty"));
        m_includeBoxes[Index(row.key)] = box;
        top += kRowPitch;
    }
    // The descriptions of lbl_IQ_M and lbl_fd_Lin (the mode in force, and that a click switches it)
    // follow every evaluation: explanations.cpp.
}

void Main::CreateCombinedRow() {
    Label19 =
        PlaceBorderedLabel(new QLabel(Frame1), QStringLiteral("Label19"), ToQString(tarvex::kCombinedCaption),
                           {kCaptionLeft, kUncertaintyTop, kCaptionWidth, kLineHeight}, kCaptionAlignment);
    lbl_uc = PlaceBorderedLabel(new ValueLabel(Frame1), QStringLiteral("lbl_uc"), QString(),
                                {kValueLeft, kUncertaintyTop, kValueWidth, kLineHeight}, Qt::AlignCenter);
    lbl_uc->setAccessibleName(ToQString(tarvex::kCombinedCaption));
}

void Main::CreateUnitOptions() {
    for (const UnitColumn& unit : ResultTableRows::kUnits) {
        twips::PlaceCaption(new QLabel(Frame1), ToQString(unit.headingName), ToQString(unit.heading),
                            {unit.left, kUnitHeadingTop, kBoxSize, kExpandedTop - kUnitHeadingTop},
                            Qt::AlignCenter);
        auto* button = twips::Place(new QRadioButton(Frame1), ToQString(unit.buttonName),
                                    {unit.left, kExpandedTop, kBoxSize, kBoxSize}, false);
        button->setAccessibleName(ToQString(unit.heading));
        button->setAccessibleDescription(ToQString(unit.description));
        this->*unit.button = button;
    }
    opt_unit_db->setChecked(true);
}

// The systematic-error row starts hidden: only an evaluation that finds it applies shows it.
void Main::CreateExpandedAndSystematicRows() {
    lbl_MU_txt = PlaceBorderedLabel(new QLabel(Frame1), QStringLiteral("lbl_MU_txt"),
                                    ToQString(tarvex::ExpandedCaption(tarvex::ResultUnit::dB)),
                                    {kWideCaptionLeft, kExpandedTop, kWideCaptionWidth, kLineHeight},
                                    kCaptionAlignment, true);
    lbl_MU = PlaceBorderedLabel(new ValueLabel(Frame1), QStringLiteral("lbl_MU"), QString(),
                                {kValueLeft, kExpandedTop, kValueWidth, kLineHeight}, Qt::AlignCenter, true);
    lbl_MU->setAccessibleName(lbl_MU_txt->text());

    lbl_Systematic_error_txt = PlaceBorderedLabel(
        new QLabel(Frame1), QStringLiteral("lbl_Systematic_error_txt"),
        ToQString(tarvex::SystematicCaption(tarvex::ResultUnit::dB)),
        {kWideCaptionLeft, kSystematicTop, kWideCaptionWidth, kLineHeight}, kCaptionAlignment, true);
    lbl_Systematic_Error =
        PlaceBorderedLabel(new ValueLabel(Frame1), QStringLiteral("lbl_Systematic_Error"), QString(),
                           {kValueLeft, kSystematicTop, kValueWidth, kLineHeight}, Qt::AlignCenter, true);
    lbl_Systematic_Error->setAccessibleName(lbl_Systematic_error_txt->text());
    lbl_Systematic_error_txt->setVisible(false);
    lbl_Systematic_Error->setVisible(false);
}
