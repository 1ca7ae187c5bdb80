#pragma once

// Checks of how a window draws its texts and places its controls, for the state it is in now.

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QFontMetrics>
#include <QLabel>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace tarvex::uitest {

// Room for text inside a label, after its frame, margins and indent.
inline int TextRoom(const QLabel& label) {
    int room = label.contentsRect().width() - 2 * label.margin();
    if (label.indent() > 0 && (label.alignment() & (Qt::AlignLeft | Qt::AlignRight))) {
        room -= label.indent();
    }
    return room;
}

// Every visible label, check box or button whose text does not fit its width or its height, described
// as "name: text (needed > room)".
inline QStringList ClippedTexts(const QWidget& window) {
    QStringList clipped;
    const auto report = [&clipped](const QWidget& widget, const QString& text, int needed, int room) {
        if (needed > room) {
            clipped << QStringLiteral("%1: \"%2\" (%3 > %4)")
                           .arg(widget.objectName(), text)
                           .arg(needed)
                           .arg(room);
        }
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&window) || label->text().isEmpty()) {
            continue;
        }
        const QFontMetrics metrics(label->font());
        if (label->wordWrap()) {
            for (const QString& word : label->text().split(QLatin1Char(' '))) {
                report(*label, word, metrics.horizontalAdvance(word), TextRoom(*label));
            }
            report(*label, label->text(), label->heightForWidth(label->width()), label->height());
        } else {
            report(*label, label->text(), metrics.horizontalAdvance(label->text()), TextRoom(*label));
            report(*label, label->text(), metrics.height(), label->contentsRect().height());
        }
    }
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&window) && !button->text().isEmpty()) {
            report(*button, button->text(), button->sizeHint().width(), button->width());
        }
    }
    return clipped;
}

inline bool IsBorderedCell(const QWidget& widget) {
    const auto* label = qobject_cast<const QLabel*>(&widget);
    return label != nullptr && label->frameShape() == QFrame::Box && label->lineWidth() == 1;
}

// Inputs, labels and table cells: everything a user reads or operates.
inline bool IsPlacedControl(const QWidget& widget) {
    return qobject_cast<const QLabel*>(&widget) != nullptr ||
           qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
           qobject_cast<const QAbstractSlider*>(&widget) != nullptr ||
           qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr;
}

// A scroll bar inside a list, a label inside the menu bar and the like belong to their control.
inline bool IsPartOfAControl(const QWidget& widget, const QWidget& window) {
    for (const QWidget* parent = widget.parentWidget(); parent != nullptr && parent != &window;
         parent = parent->parentWidget()) {
        if (IsPlacedControl(*parent) || parent->inherits("QMenuBar")) {
            return true;
        }
    }
    return false;
}

// Pairs of visible controls that overlap, except bordered cells that share exactly one border line.
inline QStringList OverlappingControls(const QWidget& window) {
    QList<const QWidget*> controls;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (IsPlacedControl(*widget) && widget->isVisibleTo(&window) && !IsPartOfAControl(*widget, window)) {
            controls << widget;
        }
    }
    QStringList overlaps;
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect a(controls[i]->mapTo(&window, QPoint(0, 0)), controls[i]->size());
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect b(controls[j]->mapTo(&window, QPoint(0, 0)), controls[j]->size());
            const QRect common = a.intersected(b);
            if (common.isEmpty()) {
                continue;
            }
            const bool sharedLine = IsBorderedCell(*controls[i]) && IsBorderedCell(*controls[j]) &&
                                    (common.width() == 1 || common.height() == 1);
            if (!sharedLine) {
                overlaps << controls[i]->objectName() + QStringLiteral(" / ") + controls[j]->objectName();
            }
        }
    }
    return overlaps;
}

} // namespace tarvex::uitest
