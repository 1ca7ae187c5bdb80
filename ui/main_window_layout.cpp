// Creation of the main window's controls and menus from the twip layout of the original drawing.

#include "ui/clickable_label.h"
#include "ui/main_window.h"
#include "ui/position_scroll_bar.h"
#include "ui/qt_text.h"
#include "ui/selection_list.h"
#include "ui/twip_layout.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QRadioButton>

#include <array>

namespace {

using twips::Rect;

// The window's client area.
constexpr int kClientWidth = 9165;
constexpr int kClientHeight = 8265;

template <typename Control> Control* Place(Control* control, const char* name, Rect rect, bool bordered) {
    control->setObjectName(ToQString(name));
    control->setGeometry(twips::ToPixels(rect, bordered));
    return control;
}

// A caption without border, or a read-out or table cell with a single-line border.
QLabel* MakeLabel(QLabel* label, const char* name, const char* text, Rect rect, bool bordered,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    Place(label, name, rect, bordered);
    label->setText(ToQString(text));
    label->setAlignment(alignment);
    if (bordered) {
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        if (alignment & Qt::AlignLeft) {
            label->setIndent(3);
        }
    }
    return label;
}

} // namespace

void Main::createWidgets() {
    setFont(twips::WindowFont());
    setAttribute(Qt::WA_WindowPropagation); // menus and the About box get the same font
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips::ToPixels(kClientWidth, kClientHeight));
    setCentralWidget(client);
    createInputArea(client);
    createResultTable(client);
    createMenus();
    setKeyboardOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize); // fixed single border: not resizable
}

void Main::createInputArea(QWidget* client) {
    struct ListRow {
        SelectionList* Main::*list;
        const char* name;
        const char* captionName;
        const char* caption;
        int left;
    };
    const std::array<ListRow, 3> lists{{
        {&Main::lstGrundgerät, "lstGrundgerät", "lblGrundgerät", "Basic Unit", 240},
        {&Main::lstResolution, "lstResolution", "lblResolution", "Resolution", 1800},
        {&Main::lstMeßkopf, "lstMeßkopf", "Label2", "Power Sensor", 3360},
    }};
    for (const ListRow& row : lists) {
        MakeLabel(new QLabel(client), row.captionName, row.caption, {row.left, 120, 1335, 255}, false);
        SelectionList* list = Place(new SelectionList(client), row.name, {row.left, 480, 1335, 840}, false);
        list->setAccessibleName(ToQString(row.caption));
        this->*row.list = list;
    }

    // Captions of the inputs, without border.
    struct CaptionRow {
        const char* name;
        const char* text;
        Rect rect;
    };
    const std::array<CaptionRow, 12> captions{{
        {"lblTemp_min", "Lower Temp.  Limit", {5160, 120, 1440, 255}},
        {"lblTemp_max", "Upper Temp. Limit", {7200, 120, 1440, 255}},
        {"lblAnpassung", "Source Match", {1200, 1560, 1680, 255}},
        {"lblReturnLoss", "Return Loss", {240, 1920, 1560, 255}},
        {"LblRflexionFaktor", "Reflection Coefficient", {240, 2400, 1560, 255}},
        {"lblVSWR", "VSWR", {240, 2880, 1560, 255}},
        {"lblLevel", "Level", {3480, 1560, 975, 255}},
        {"lblPower", "Power", {3480, 2520, 975, 255}},
        {"FreqLabel", "Frequency", {5160, 1560, 1335, 255}},
        {"lblFilter", "Filter No.", {7680, 1560, 780, 255}},
        {"Label24", "Harmonics 2f", {7440, 3480, 1020, 255}},
        {"Label23", "Harmonics 3f", {7440, 5400, 1020, 255}},
    }};
    for (const CaptionRow& row : captions) {
        MakeLabel(new QLabel(client), row.name, row.text, row.rect, false);
    }

    // Read-outs: one line high, single-line border; the accessible name is the input's caption.
    struct ReadoutRow {
        QLabel* Main::*label;
        const char* name;
        const char* accessibleName;
        Rect rect;
    };
    const std::array<ReadoutRow, 11> readouts{{
        {&Main::lbl_Temp_Min, "lbl_Temp_Min", "Lower Temp. Limit", {5160, 600, 1335, 255}},
        {&Main::lbl_Temp_Max, "lbl_Temp_Max", "Upper Temp. Limit", {7200, 600, 1335, 255}},
        {&Main::lbl_Return_Loss, "lbl_Return_Loss", "Return Loss", {1920, 1920, 855, 255}},
        {&Main::lbl_Reflexions_Faktor,
         "lbl_Reflexions_Faktor",
         "Reflection Coefficient",
         {1920, 2400, 855, 255}},
        {&Main::lbl_VSWR, "lbl_VSWR", "VSWR", {1920, 2880, 855, 255}},
        {&Main::lbl_Level, "lbl_Level", "Level", {3480, 1920, 975, 255}},
        {&Main::lbl_Power, "lbl_Power", "Power", {3480, 2880, 975, 255}},
        {&Main::lbl_Frequency, "lbl_Frequency", "Frequency", {5160, 1920, 1335, 255}},
        {&Main::lbl_Filter, "lbl_Filter", "Filter No.", {7680, 1920, 615, 255}},
        {&Main::lbl_Harmonics_2f, "lbl_Harmonics_2f", "Harmonics 2f", {7440, 3840, 855, 255}},
        {&Main::lbl_Harmonics_3f, "lbl_Harmonics_3f", "Harmonics 3f", {7440, 5760, 855, 255}},
    }};
    for (const ReadoutRow& row : readouts) {
        QLabel* label = MakeLabel(new QLabel(client), row.name, "", row.rect, true, Qt::AlignCenter);
        label->setAccessibleName(ToQString(row.accessibleName));
        this->*row.label = label;
    }

    // Scroll bars with their design-time ends, steps and positions. Up raises the quantity on every bar
    // except the source match, where up lowers the return loss (a worse match).
    struct BarRow {
        PositionScrollBar* Main::*bar;
        const char* name;
        const char* accessibleName;
        Rect rect;
        int top;
        int bottom;
        int largeChange;
        int designValue;
    };
    const std::array<BarRow, 8> bars{{
        {&Main::vsbTemp_min, "vsbTemp_min", "Lower Temp. Limit", {6720, 0, 255, 1335}, 50, 0, 1, 0},
        {&Main::vsbTemp_max, "vsbTemp_max", "Upper Temp. Limit", {8760, 0, 255, 1335}, 50, 0, 1, 50},
        {&Main::vsbAnpassung, "vsbAnpassung", "Source Match", {3000, 1560, 255, 1695}, 0, 600, 10, 200},
        {&Main::vsbPegel, "vsbPegel", "Level", {4680, 1560, 255, 1695}, 30, -60, 5, 0},
        {&Main::vsbFrequenz, "vsbFrequenz", "Frequency", {6720, 1560, 255, 1695}, 5000, 0, 50, 4000},
        {&Main::vsbFilter, "vsbFilter", "Filter No.", {8520, 1560, 255, 1695}, 12, 0, 1, 0},
        {&Main::vsbHarmonics2f, "vsbHarmonics2f", "Harmonics 2f", {8520, 3480, 255, 1695}, -10, -80, 1, -20},
        {&Main::vsbHarmonics3f, "vsbHarmonics3f", "Harmonics 3f", {8520, 5400, 255, 1695}, -10, -80, 1, -80},
    }};
    for (const BarRow& row : bars) {
        PositionScrollBar* bar = Place(new PositionScrollBar(client), row.name, row.rect, false);
        bar->setMin(row.top);
        bar->setMax(row.bottom);
        bar->setSmallChange(1);
        bar->setLargeChange(row.largeChange);
        bar->setValue(row.designValue);
        bar->setAccessibleName(ToQString(row.accessibleName));
        this->*row.bar = bar;
    }
}
