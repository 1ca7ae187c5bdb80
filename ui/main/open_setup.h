#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class Main;

// File > Open Setup…: a setup from a report's CSV or a batch file of tarvex-budget (a header row naming
// the batch's columns, then one setup per row), read and checked by the command line's own batch reader.

// What opening a setup file came to: whether a row was shown on the window, and what to tell the user
// (why the file or the chosen row was not taken, or which values went to the nearest position); the
// message is empty when there is nothing to say.
struct OpenSetupOutcome {
    bool applied = false;
    QString message;
};

// Asks which of several rows to open, each named "id (line n)"; no value when the user declines.
using RowChooser = std::function<std::optional<qsizetype>(const QStringList& rows)>;

// The rows offered for choice; a longer batch offers its first rows only.
inline constexpr qsizetype kOfferedRows = 1000;

// Reads the file's rows and shows the chosen one on the window (the only one without asking) when the
// command line accepts it; a row it rejects leaves the window as it was, and the outcome gives the
// command line's reasons.
OpenSetupOutcome OpenSetupFile(Main& window, const QString& path, const RowChooser& choose);
