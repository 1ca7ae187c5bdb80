#include "ui/controls/twip_layout.h"

#include <cmath>

namespace twips {

int ToPixels(int twips) {
    return static_cast<int>(std::lround(twips * kPixelsPerTwip));
}

QRect ToPixels(Rect rect, bool bordered) {
    const int left = ToPixels(rect.left);
    const int top = ToPixels(rect.top);
    const int extra = bordered ? 1 : 0;
    const int width = ToPixels(rect.left + rect.width - kOnePixel) - left + extra;
    const int height = ToPixels(rect.top + rect.height - kOnePixel) - top + extra;
    return {left, top, width, height};
}

QSize ToPixels(int width, int height) {
    return {ToPixels(width), ToPixels(height)};
}

QFont WindowFont() {
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPixelSize(kFontPixelSize);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace twips
