#pragma once

#include "budget/measurement_setup.h"
#include "budget/uncertainty_budget.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

class Main;
class QAction;
class QMenu;
class QWidget;

// Copying, saving and printing the budget the main window shows. The actions sit in the File menu above
// End and in the result table's context menu; Copy Budget's Ctrl+C works wherever the focus is in the
// window. The budget comes from the window's evaluated signal, so every document shows the last
// evaluation, which is what the window shows. Nothing here changes the window's state.
class ReportActions : public QObject {
    Q_OBJECT

public:
    // The formats a report is saved in, chosen by the save dialog's filter.
    enum class Format : std::uint8_t { pdf, html, csv, text };

    // Adds the actions to fileMenu before `before` (with a separator between) and to resultTable's
    // context menu.
    ReportActions(Main& window, QMenu& fileMenu, QAction* before, QWidget& resultTable);

    // Puts the budget on the clipboard as text/plain (tab-separated) and text/html (two tables).
    void copyBudget() const;
    // Asks for a file and saves the report there; a failure is shown in a message box.
    void saveReport();
    // Saves the report in a format without asking; a failure is shown in a message box. True on success.
    bool saveReportTo(const QString& path, Format format);
    void print();
    void printPreview();

    // The format a file name's extension asks for, if it names one of the four.
    static std::optional<Format> FormatOfName(const QString& path);

    // The clock that dates reports; tests set a fixed one.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    void follow(const tarvex::MeasurementSetup& setup, const tarvex::UncertaintyBudget& budget);
    QByteArray render(Format format) const;

    Main& m_window;
    tarvex::MeasurementSetup m_setup;
    tarvex::UncertaintyBudget m_budget;
    std::function<QDateTime()> m_clock;
};
