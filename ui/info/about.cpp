#include "ui/info/about.h"

#include "budget/program_info.h"
#include "ui/controls/qt_text.h"
#include "ui/controls/twip_layout.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {

using twips::Rect;

// Line1: a grey line at y 2445 from x 90 to 5654, and a white one at y 2460 from x 105.
constexpr int kLineLeft = 90;
constexpr int kLineRight = 5654;
constexpr int kGreyTop = 2445;
constexpr int kWhiteTop = 2460;
constexpr int kWhiteLeft = 105;

// An etched separator: a line in the palette's shadow colour along its top row and one in its light
// colour along the bottom row, that one starting a little further right. In the classic light palette
// these are grey 808080 and white; a dark palette gets its own pair instead of a glaring white line.
class EtchedLine : public QWidget {
public:
    EtchedLine(QWidget* parent, int whiteIndent)
        : QWidget(parent)
        , m_whiteIndent(whiteIndent) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(QRect(0, 0, width(), 1), palette().color(QPalette::Dark));
        painter.fillRect(QRect(m_whiteIndent, height() - 1, width() - m_whiteIndent, 1),
                         palette().color(QPalette::Light));
    }

private:
    int m_whiteIndent;
};

} // namespace

About::About(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Info about ") + ToQString(tarvex::kProgramName));
    setModal(false);
    setFont(twips::WindowFont());
    setFixedSize(twips::ToPixels(5775, 3720));
    setSizeGripEnabled(false);
    createWidgets();
}

void About::createWidgets() {
    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(twips::ToPixels(Rect{600, 480, 4485, 1170}, false));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The palette's text colour: black on a light desktop, and still readable on a dark one.
    lblDescription->setText(QStringLiteral(
        "The program is used to determine inevitable measurement uncertainties that arise when using "
        "power meters. It specially covers the Orvanta Tarvex family of thermal sensors and diode sensors "
        "for high-precision power measurements as well as the compatible basic units BX-20, BX-10 and "
        "VX-30."));

    const int lineLeft = twips::ToPixels(kLineLeft);
    const int greyRow = twips::ToPixels(kGreyTop);
    Line1 = new EtchedLine(this, twips::ToPixels(kWhiteLeft) - lineLeft);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setGeometry(lineLeft, greyRow, twips::ToPixels(kLineRight) - lineLeft + 1,
                       twips::ToPixels(kWhiteTop) - greyRow + 1);

    lblDisclaimer = new QLabel(this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setGeometry(twips::ToPixels(Rect{600, 2625, 3735, 825}, false));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDisclaimer->setText(ToQString(tarvex::kProgramTitle) +
                           QStringLiteral(". Provided as is, without warranty of any kind."));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twips::ToPixels(Rect{4680, 2640, 780, 345}, false));
    cmdOK->setDefault(true);
    // Enter presses the default button; Esc rejects the dialog. Either way the box closes, and with
    // WA_DeleteOnClose it is gone.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}
