#include "ui/chart/series_style.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

struct SeriesStyle {
    std::string_view key;
    QRgb colour;
    Qt::PenStyle dash;
    qreal width;
};

// Okabe and Ito's colours (yellow left out: too faint on a light plot).
constexpr QRgb kBlack = 0x000000;
constexpr QRgb kOrange = 0xE69F00;
constexpr QRgb kSkyBlue = 0x56B4E9;
constexpr QRgb kGreen = 0x009E73;
constexpr QRgb kBlue = 0x0072B2;
constexpr QRgb kVermillion = 0xD55E00;
constexpr QRgb kPurple = 0xCC79A7;
constexpr QRgb kLightOnDark = 0xF0F0F0; // the bold curve on a dark plot

// One row a series, in the result table's order; no two rows share colour and dash.
constexpr std::array kStyles{
    SeriesStyle{"MU", kBlack, Qt::SolidLine, 3.0},
    SeriesStyle{"uc", kBlue, Qt::SolidLine, 2.0},
    SeriesStyle{"systematic_error", kPurple, Qt::SolidLine, 2.0},
    SeriesStyle{"u_cal", kOrange, Qt::SolidLine, 1.5},
    SeriesStyle{"u_noise", kSkyBlue, Qt::SolidLine, 1.5},
    SeriesStyle{"u_drift", kGreen, Qt::SolidLine, 1.5},
    SeriesStyle{"u_lin", kVermillion, Qt::SolidLine, 1.5},
    SeriesStyle{"u_M", kBlue, Qt::DashLine, 1.5},
    SeriesStyle{"u_temp", kPurple, Qt::DashLine, 1.5},
    SeriesStyle{"u_GG", kOrange, Qt::DashLine, 1.5},
    SeriesStyle{"u_res", kSkyBlue, Qt::DashLine, 1.5},
    SeriesStyle{"u_P_Coeff", kGreen, Qt::DashLine, 1.5},
    SeriesStyle{"u_fd_Lin", kVermillion, Qt::DashLine, 1.5},
    SeriesStyle{"u_Harmonics2f", kOrange, Qt::DotLine, 1.5},
    SeriesStyle{"u_Harmonics3f", kGreen, Qt::DashDotLine, 1.5},
    SeriesStyle{"density", kBlack, Qt::SolidLine, 2.0},
    SeriesStyle{"coverage_MU", kVermillion, Qt::DashLine, 1.5},
    SeriesStyle{"interval_95", kBlue, Qt::DotLine, 1.5},
    SeriesStyle{"histogram", kSkyBlue, Qt::SolidLine, 1.0},
};

constexpr int kDarkLightness = 128; // a window colour below this lightness is a dark palette

} // namespace

QPen SeriesPen(std::string_view key, bool darkPlot) {
    const auto* style = std::ranges::find(kStyles, key, &SeriesStyle::key);
    QColor colour = style != std::end(kStyles) ? QColor(style->colour) : QColor(Qt::gray);
    if (darkPlot && colour == QColor(kBlack)) {
        colour = QColor(kLightOnDark);
    }
    QPen pen(colour);
    pen.setStyle(style != std::end(kStyles) ? style->dash : Qt::SolidLine);
    pen.setWidthF(style != std::end(kStyles) ? style->width : 1.0);
    // Round ends and joins: a curve of many short segments stays one unbroken line.
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < kDarkLightness;
}
