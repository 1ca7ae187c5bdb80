#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// The windows are laid out in twips (1/20 point; 15 twips were one pixel on the 96 dpi screens the
// layout was drawn for). One uniform scale turns them into logical pixels; Qt maps logical pixels to the
// screen. The scale is a little larger than 1/15 so that the captions fit in the font below.
namespace twips {

inline constexpr double kPixelsPerTwip = 1.0 / 12.0;

// One pixel of the original drawing: neighbouring bordered cells overlap by this much so that they
// share one border line.
inline constexpr int kOnePixel = 15;

// The font of every window, sized in pixels so that it scales with the layout and not with the
// screen's reported dpi.
inline constexpr const char* kFontFamily = "Liberation Sans";
inline constexpr int kFontPixelSize = 13;

struct Rect {
    int left;
    int top;
    int width;
    int height;
};

int ToPixels(int twips);

// A control's rectangle in pixels. A control covers its twips less the last original pixel; a bordered
// control then gets one pixel more, so that its far border line lies where its neighbour's near border
// line begins.
QRect ToPixels(Rect rect, bool bordered);

QSize ToPixels(int width, int height);

QFont WindowFont();

} // namespace twips
