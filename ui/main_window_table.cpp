// Creation of the result table, the menus and the keyboard order of the main window.

#include "budget/presentation.h"
#include "ui/clickable_label.h"
#include "ui/main_window.h"
#include "ui/position_scroll_bar.h"
#include "ui/qt_text.h"
#include "ui/report_actions.h"
#include "ui/result_rows.h"
#include "ui/twip_layout.h"

#include "ui/selection_list.h"
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include <array>

namespace {

using tarvex::Contribution;
using tarvex::Index;
using tarvex::kContributions;
using twips::Rect;

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

// Contribution rows: first top and pitch, which leaves neighbouring cells one shared border line.
constexpr int kFirstRowTop = 720;
constexpr int kRowPitch = 240;

constexpr int kUncertaintyTop = 3720;
constexpr int kUnitHeadingTop = 3840;
constexpr int kExpandedTop = 4080;
constexpr int kSystematicTop = 4320;
constexpr int kDbLeft = 5760;
constexpr int kPercentLeft = 6240;

QLabel* MakeCell(QLabel* label, const QString& name, const QString& text, Rect rect, Qt::Alignment alignment,
                 bool bold = false) {
    label->setObjectName(name);
    label->setGeometry(twips::ToPixels(rect, true));
    label->setText(text);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAlignment(alignment);
    if (alignment & Qt::AlignLeft) {
        label->setIndent(3);
    }
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

constexpr Qt::Alignment kCaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

void Main::createResultTable(QWidget* client) {
    Frame1 = new QFrame(client);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::ToPixels(Rect{120, 3480, 6855, 4695}, false));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken); // etched, as a frame without caption

    MakeCell(new QLabel(Frame1), QStringLiteral("lbl_Influence_Quantity"),
             QStringLiteral("Influence Quantity"), {kCaptionLeft, 240, kCaptionWidth, 495}, Qt::AlignCenter,
             true);
    QLabel* uncertaintyHeading = MakeCell(new QLabel(Frame1), QStringLiteral("lbl_Standard_Uncertainty"),
                                          QStringLiteral("Standard Uncertainty"),
                                          {kValueLeft, 240, kValueWidth, 495}, Qt::AlignCenter, true);
    uncertaintyHeading->setWordWrap(true);

    // The mismatch and linearity captions switch their setting when clicked.
    const auto clickableCaption = [](Contribution key) -> ClickableLabel* Main::* {
        if (key == Contribution::M) {
            return &Main::lbl_IQ_M;
        }
        return key == Contribution::fd_Lin ? &Main::lbl_fd_Lin : nullptr;
    };
    int top = kFirstRowTop;
    for (const ResultRow& row : kResultRows) {
        const QString caption = ToQString(kContributions[Index(row.key)].caption);
        QLabel* captionLabel = nullptr;
        if (ClickableLabel* Main::*clickable = clickableCaption(row.key)) {
            this->*clickable = new ClickableLabel(Frame1);
            captionLabel = this->*clickable;
        } else {
            captionLabel = new QLabel(Frame1);
        }
        MakeCell(captionLabel, ToQString(row.captionLabel), caption,
                 {kCaptionLeft, top, kCaptionWidth, kLineHeight}, kCaptionAlignment);

        QLabel* value = MakeCell(new QLabel(Frame1), ToQString(row.valueLabel), QString(),
                                 {kValueLeft, top, kValueWidth, kLineHeight}, Qt::AlignCenter);
        value->setAccessibleName(caption);
        m_valueLabels[Index(row.key)] = value;

        auto* box = new QCheckBox(Frame1);
        box->setObjectName(ToQString(row.checkBox));
        box->setGeometry(twips::ToPixels(Rect{kCheckLeft, top, kBoxSize, kBoxSize}, false));
        box->setChecked(true);
        box->setAccessibleName(caption);
        box->setAccessibleDescription(QStringLiteral("Include in the combined uncertainty"));
        m_includeBoxes[Index(row.key)] = box;
        top += kRowPitch;
    }
    lbl_IQ_M->setAccessibleDescription(QStringLiteral("Click to switch between probable and conservative"));
    lbl_fd_Lin->setAccessibleDescription(
        QStringLiteral("Click to switch between statistical and systematic"));

    MakeCell(new QLabel(Frame1), QStringLiteral("Label19"), ToQString(tarvex::kCombinedCaption),
             {kCaptionLeft, kUncertaintyTop, kCaptionWidth, kLineHeight}, kCaptionAlignment);
    lbl_uc = MakeCell(new QLabel(Frame1), QStringLiteral("lbl_uc"), QString(),
                      {kValueLeft, kUncertaintyTop, kValueWidth, kLineHeight}, Qt::AlignCenter);
    lbl_uc->setAccessibleName(ToQString(tarvex::kCombinedCaption));

    // Unit headings above the option buttons: captions, not table cells, so without border.
    struct UnitColumn {
        const char* headingName;
        const char* heading;
        QRadioButton* Main::*button;
        const char* buttonName;
        const char* description;
        int left;
    };
    const std::array<UnitColumn, 2> units{{
        {"Label4", "dB", &Main::opt_unit_db, "opt_unit_db", "Results in dB, of level", kDbLeft},
        {"Label5", "%", &Main::opt_unit_percent, "opt_unit_percent", "Results in percent, of power",
         kPercentLeft},
    }};
    for (const UnitColumn& unit : units) {
        auto* heading = new QLabel(ToQString(unit.heading), Frame1);
        heading->setObjectName(ToQString(unit.headingName));
        heading->setGeometry(twips::ToPixels(
            Rect{unit.left, kUnitHeadingTop, kBoxSize, kExpandedTop - kUnitHeadingTop}, false));
        heading->setAlignment(Qt::AlignCenter);
        auto* button = new QRadioButton(Frame1);
        button->setObjectName(ToQString(unit.buttonName));
        button->setGeometry(twips::ToPixels(Rect{unit.left, kExpandedTop, kBoxSize, kBoxSize}, false));
        button->setAccessibleName(ToQString(unit.heading));
        button->setAccessibleDescription(ToQString(unit.description));
        this->*unit.button = button;
    }
    opt_unit_db->setChecked(true);

    lbl_MU_txt =
        MakeCell(new QLabel(Frame1), QStringLiteral("lbl_MU_txt"),
                 ToQString(tarvex::ExpandedCaption(tarvex::ResultUnit::dB)),
                 {kWideCaptionLeft, kExpandedTop, kWideCaptionWidth, kLineHeight}, kCaptionAlignment, true);
    lbl_MU = MakeCell(new QLabel(Frame1), QStringLiteral("lbl_MU"), QString(),
                      {kValueLeft, kExpandedTop, kValueWidth, kLineHeight}, Qt::AlignCenter, true);
    lbl_MU->setAccessibleName(lbl_MU_txt->text());

    lbl_Systematic_error_txt =
        MakeCell(new QLabel(Frame1), QStringLiteral("lbl_Systematic_error_txt"),
                 ToQString(tarvex::SystematicCaption(tarvex::ResultUnit::dB)),
                 {kWideCaptionLeft, kSystematicTop, kWideCaptionWidth, kLineHeight}, kCaptionAlignment, true);
    lbl_Systematic_Error =
        MakeCell(new QLabel(Frame1), QStringLiteral("lbl_Systematic_Error"), QString(),
                 {kValueLeft, kSystematicTop, kValueWidth, kLineHeight}, Qt::AlignCenter, true);
    lbl_Systematic_Error->setAccessibleName(lbl_Systematic_error_txt->text());
    lbl_Systematic_error_txt->setVisible(false);
    lbl_Systematic_Error->setVisible(false);
}

void Main::createMenus() {
    struct Title {
        QMenu* Main::*menu;
        const char* name;
        const char* text;
    };
    const std::array<Title, 3> titles{{
        {&Main::mnuFile, "mnuFile", "&File"},
        {&Main::mnuMenue, "mnuMenue", "&Settings"},
        {&Main::mnu_Info, "mnu_Info", "&Info"},
    }};
    for (const Title& title : titles) {
        QMenu* menu = menuBar()->addMenu(ToQString(title.text));
        menu->setObjectName(ToQString(title.name));
        this->*title.menu = menu;
    }

    struct Item {
        QMenu* Main::*menu;
        QAction* Main::*action;
        const char* name;
        const char* text;
    };
    const std::array<Item, 6> items{{
        {&Main::mnuFile, &Main::mnuEnd, "mnuEnd", "&End"},
        {&Main::mnuMenue, &Main::mnuSensor_Match_Conservative, "mnuSensor_Match_Conservative",
         "Sensor Match (&conservative)"},
        {&Main::mnuMenue, &Main::mnuSensor_Match_Probable, "mnuSensor_Match_Probable",
         "Sensor Match (&probable)"},
        {&Main::mnuMenue, &Main::mnufd_Lin_sys, "mnufd_Lin_sys",
         "Frequency dep. Linearity Error: systematic"},
        {&Main::mnuMenue, &Main::mnufd_Lin_nonsys, "mnufd_Lin_nonsys",
         "Frequency dep. Linearity Error: statistical"},
        {&Main::mnu_Info, &Main::frmInfo, "frmInfo", "About"},
    }};
    for (const Item& item : items) {
        QAction* action = (this->*item.menu)->addAction(ToQString(item.text));
        action->setObjectName(ToQString(item.name));
        this->*item.action = action;
    }
    m_reportActions = new ReportActions(*this, *mnuFile, mnuEnd, *Frame1);
}

void Main::setKeyboardOrder() {
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
