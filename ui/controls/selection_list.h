#pragma once

#include <QListWidget>

// A list box with one selected item: the current item. Selecting a row, by a click or by the program,
// emits currentRowChanged; the user cannot take the selection away (a Ctrl+click on the selected item
// selects it again), so the list always reads as the row it shows.
class SelectionList : public QListWidget {
    Q_OBJECT

public:
    explicit SelectionList(QWidget* parent = nullptr);

    // The text of the selected item, or empty text while nothing is selected yet.
    QString selectedText() const;

private:
    void keepCurrentSelected();
};
