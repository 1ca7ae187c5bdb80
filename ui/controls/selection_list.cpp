#include "ui/controls/selection_list.h"

SelectionList::SelectionList(QWidget* parent)
    : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, &SelectionList::keepCurrentSelected);
}

QString SelectionList::selectedText() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr ? item->text() : QString();
}

void SelectionList::keepCurrentSelected() {
    QListWidgetItem* item = currentItem();
    if (item != nullptr && !item->isSelected()) {
        item->setSelected(true);
    }
}
