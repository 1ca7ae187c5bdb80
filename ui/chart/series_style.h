#pragma once

#include <QPalette>
#include <QPen>

#include <string_view>

// The pen of a chart series, by the batch column of its result ("MU", "uc", "u_cal", ...): the bold black
// expanded uncertainty, and for every other row its own pair of colour (Okabe and Ito's palette, told
// apart by colour-blind readers) and dash pattern (told apart in greyscale). On a dark plot the bold
// curve is drawn in the light text colour instead of black.
// The Distribution tab's series are rows of the same table: "density", "coverage_MU", "interval_95",
// "histogram".
QPen SeriesPen(std::string_view key, bool darkPlot = false);

// Whether a palette is dark (its window colour of low lightness): the chart then takes Qt Charts' dark theme.
bool IsDarkPalette(const QPalette& palette);
