// Creation of the main window's client area and its input area, from the twip layout of the original
// drawing: the three lists, the captions, the read-outs and the scroll bars.

#include "ui/controls/placed_labels.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/selection_list.h"
#include "ui/controls/twip_layout.h"
#include "ui/main/main_window.h"

#include <QLabel>
#include <QLayout>

#include <array>

using twips::Rect;

namespace {

// The window's client area.
constexpr int kClientWidth = 9165;
constexpr int kClientHeight = 8265;

// A list under its caption; the caption is also the list's accessible name.
struct ListRow {
    SelectionList* Main::*list;
    const char* name;
    const char* captionName;
    const char* caption;
    int left;
};
constexpr int kListCaptionTop = 120;
constexpr int kListTop = 480;
constexpr int kListWidth = 1335;
constexpr int kListHeight = 840;
constexpr int kLineHeight = 255;

// Captions of the inputs, without border.
struct CaptionRow {
    const char* name;
    const char* text;
    Rect rect;
};

constexpr std::array<CaptionRow, 12> kCaptions{{
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

void CreateInputCaptions(QWidget* client) {
    for (const CaptionRow& row : kCaptions) {
        twips::PlaceCaption(new QLabel(client), ToQString(row.name), ToQString(row.text), row.rect);
    }
}

// Read-outs: one line high, single-line border; the accessible name is the input's caption.
struct ReadoutRow {
    QLabel* Main::*label;
    const char* name;
    const char* accessibleName;
    Rect rect;
};

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

} // namespace

// The rows name the window's private controls, so they live in a friend of the window.
struct InputAreaRows {
    static constexpr std::array<ListRow, 3> kLists{{
        {&Main::lstGrundgerät, "lstGrundgerät", "lblGrundgerät", "Basic Unit", 240},
        {&Main::lstResolution, "lstResolution", "lblResolution", "Resolution", 1800},
        {&Main::lstMeßkopf, "lstMeßkopf", "Label2", "Power Sensor", 3360},
    }};

    static constexpr std::array<ReadoutRow, 11> kReadouts{{
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

    static constexpr std::array<BarRow, 8> kBars{{
        {&Main::vsbTemp_min, "vsbTemp_min", "Lower Temp. Limit", {6720, 0, 255, 1335}, 50, 0, 1, 0},
        {&Main::vsbTemp_max, "vsbTemp_max", "Upper Temp. Limit", {8760, 0, 255, 1335}, 50, 0, 1, 50},
        {&Main::vsbAnpassung, "vsbAnpassung", "Source Match", {3000, 1560, 255, 1695}, 0, 600, 10, 200},
        {&Main::vsbPegel, "vsbPegel", "Level", {4680, 1560, 255, 1695}, 30, -60, 5, 0},
        {&Main::vsbFrequenz, "vsbFrequenz", "Frequency", {6720, 1560, 255, 1695}, 5000, 0, 50, 4000},
        {&Main::vsbFilter, "vsbFilter", "Filter No.", {8520, 1560, 255, 1695}, 12, 0, 1, 0},
        {&Main::vsbHarmonics2f, "vsbHarmonics2f", "Harmonics 2f", {8520, 3480, 255, 1695}, -10, -80, 1, -20},
        {&Main::vsbHarmonics3f, "vsbHarmonics3f", "Harmonics 3f", {8520, 5400, 255, 1695}, -10, -80, 1, -80},
    }};
};

void Main::CreateWidgets() {
    setFont(twips::WindowFont());
    setAttribute(Qt::WA_WindowPropagation); // menus and the About box get the same font
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twips::ToPixels(kClientWidth, kClientHeight));
    setCentralWidget(client);
    CreateInputArea(client);
    CreateResultTable(client);
    CreateMenus();
    SetKeyboardOrder();
    layout()->setSizeConstraint(QLayout::SetFixedSize); // fixed single border: not resizable
}

void Main::CreateInputArea(QWidget* client) {
    CreateSelectionLists(client);
    CreateInputCaptions(client);
    CreateReadouts(client);
    CreateScrollBars(client);
}

void Main::CreateSelectionLists(QWidget* client) {
    for (const ListRow& row : InputAreaRows::kLists) {
        twips::PlaceCaption(new QLabel(client), ToQString(row.captionName), ToQString(row.caption),
                            {row.left, kListCaptionTop, kListWidth, kLineHeight});
        SelectionList* list = twips::Place(new SelectionList(client), ToQString(row.name),
                                           {row.left, kListTop, kListWidth, kListHeight}, false);
        list->setAccessibleName(ToQString(row.caption));
        this->*row.list = list;
    }
}

void Main::CreateReadouts(QWidget* client) {
    for (const ReadoutRow& row : InputAreaRows::kReadouts) {
        QLabel* label = twips::PlaceBorderedLabel(new QLabel(client), ToQString(row.name), QString(),
                                                  row.rect, Qt::AlignCenter);
        label->setAccessibleName(ToQString(row.accessibleName));
        this->*row.label = label;
    }
}

void Main::CreateScrollBars(QWidget* client) {
    for (const BarRow& row : InputAreaRows::kBars) {
        PositionScrollBar* bar =
            twips::Place(new PositionScrollBar(client), ToQString(row.name), row.rect, false);
        bar->setMin(row.top);
        bar->setMax(row.bottom);
        bar->setSmallChange(1);
        bar->setLargeChange(row.largeChange);
        bar->setValue(row.designValue);
        bar->setAccessibleName(ToQString(row.accessibleName));
        this->*row.bar = bar;
    }
}
