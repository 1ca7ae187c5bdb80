#include "ui/controls/placed_labels.h"

#include <QFont>
#include <QFrame>

namespace twips {

QLabel* PlaceCaption(QLabel* label, const QString& name, const QString& text, Rect rect,
                     Qt::Alignment alignment) {
    Place(label, name, rect, false);
    label->setText(text);
    label->setAlignment(alignment);
    return label;
}

QLabel* PlaceBorderedLabel(QLabel* label, const QString& name, const QString& text, Rect rect,
                           Qt::Alignment alignment, bool bold) {
    Place(label, name, rect, true);
    label->setText(text);
    label->setAlignment(alignment);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
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

} // namespace twips
