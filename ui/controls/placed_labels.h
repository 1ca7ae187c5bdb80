#pragma once

#include "ui/controls/twip_layout.h"

#include <QLabel>
#include <QString>

// Controls placed on a window by their rectangle in twips, and the two kinds of label the windows use:
// captions without border, and bordered read-outs and table cells.
namespace twips {

template <typename Control> Control* Place(Control* control, const QString& name, Rect rect, bool bordered) {
    control->setObjectName(name);
    control->setGeometry(ToPixels(rect, bordered));
    return control;
}

inline constexpr Qt::Alignment kCaptionAlignment = Qt::AlignLeft | Qt::AlignVCenter;

QLabel* PlaceCaption(QLabel* label, const QString& name, const QString& text, Rect rect,
                     Qt::Alignment alignment = kCaptionAlignment);

// A single-line box; left-aligned text keeps a few pixels off the border line.
QLabel* PlaceBorderedLabel(QLabel* label, const QString& name, const QString& text, Rect rect,
                           Qt::Alignment alignment, bool bold = false);

} // namespace twips
