// Creation of the main window's client area and its input area, from the twip layout of the original
// drawing: the three lists, the captions, the read-outs and the scroll bars.

#include "ui/controls/placed_labels.h"
#include "ui/controls/position_scroll_bar.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/selection_list.h"
#include "ui/controls/twip_layout.h"
#include "ui/controls/value_label.h"
#include "ui/main/input_area_rows.h"
#include "ui/main/main_window.h"

#include <QLabel>
#include <QLayout>

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The window's client area.
constexpr int kClientWidth = 9165;
constexpr int kClientHeight = 8265;

constexpr int kListCaptionTop = 120;
constexpr int kListTop = 480;
constexpr int kListWidth = 1335;
constexpr int kListHeight = 840;
constexpr int kLineHeight = 255;

// The widest range of frequency and level positions any sensor has: the bars' ends before a sensor is
// selected, so that the design positions lie inside them.
tarvex::SensorScrollRange WidestSensorRange() {
    tarvex::SensorScrollRange widest = tarvex::SensorScrollRangeOf(tarvex::SensorModels().front());
    for (const std::string_view sensor : tarvex::SensorModels()) {
        const tarvex::SensorScrollRange range = tarvex::SensorScrollRangeOf(sensor);
        widest.frequencyTop = std::max(widest.frequencyTop, range.frequencyTop);
        widest.frequencyBottom = std::min(widest.frequencyBottom, range.frequencyBottom);
        widest.levelTop = std::max(widest.levelTop, range.levelTop);
        widest.levelBottom = std::min(widest.levelBottom, range.levelBottom);
    }
    return widest;
}

} // namespace

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
    for (const CaptionRow& row : InputAreaRows::kCaptions) {
        this->*row.label =
            twips::PlaceCaption(new QLabel(client), ToQString(row.name), ToQString(row.text), row.rect);
    }
    CreateReadouts(client);
    CreateScrollBars(client);
}

void Main::CreateSelectionLists(QWidget* client) {
    for (const ListRow& row : InputAreaRows::kLists) {
        this->*row.captionLabel =
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
        QLabel* label = twips::PlaceBorderedLabel(new ValueLabel(client), ToQString(row.name), QString(),
                                                  row.rect, Qt::AlignCenter);
        label->setAccessibleName(ToQString(row.accessibleName));
        this->*row.label = label;
    }
}

// Each bar shows its value in its read-out, also to screen readers.
void Main::CreateScrollBars(QWidget* client) {
    for (const BarRow& row : InputAreaRows::kBars) {
        PositionScrollBar* bar =
            twips::Place(new PositionScrollBar(client), ToQString(row.name), row.rect, false);
        this->*row.bar = bar;
        if (row.range != nullptr) {
            const tarvex::WholeRange& range = tarvex::kFixedInputLimits.*row.range;
            bar->setMin(row.upLowers ? range.lowest : range.highest);
            bar->setMax(row.upLowers ? range.highest : range.lowest);
        }
    }
    SetSensorRange(WidestSensorRange());
    for (const BarRow& row : InputAreaRows::kBars) {
        PositionScrollBar* bar = this->*row.bar;
        bar->setSmallChange(1);
        bar->setLargeChange(row.largeChange);
        bar->setValue(row.designValue);
        bar->setAccessibleName(ToQString(row.accessibleName));
        bar->setReadout(this->*row.readout);
    }
}
