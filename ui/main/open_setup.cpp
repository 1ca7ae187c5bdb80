#include "ui/main/open_setup.h"

#include "cli/batch_setups.h"
#include "ui/main/main_window.h"
#include "ui/main/setup_entry.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStandardPaths>

#include <vector>

namespace {

using tarvex::cli::BatchSetupRow;

QString RowName(const BatchSetupRow& row) {
    return QStringLiteral("%1 (line %2)").arg(QString::fromStdString(row.id)).arg(row.line);
}

// The file's first rows, with a note when it holds more; throws InputError as the batch reader does.
std::vector<BatchSetupRow> ReadRows(QFile& file, QString& note) {
    tarvex::cli::FdSource source(file.handle());
    tarvex::cli::BatchSetupReader reader(source);
    std::vector<BatchSetupRow> rows;
    BatchSetupRow row;
    qsizetype count = 0;
    while (reader.Next(row)) {
        if (++count <= kOfferedRows) {
            rows.push_back(row);
            rows.back().carried = {}; // the reader's fields, which do not outlive it
        }
    }
    if (count > kOfferedRows) {
        note =
            QStringLiteral("The file holds %1 rows; its first %2 were offered.").arg(count).arg(kOfferedRows);
    }
    return rows;
}

// Shows a row the command line accepts; says why it does not accept one.
OpenSetupOutcome OpenRow(Main& window, const BatchSetupRow& row, const QString& note) {
    if (!row.problems.empty()) {
        return {false, QStringLiteral("Row %1 was not opened: %2")
                           .arg(RowName(row), QString::fromStdString(row.problems))};
    }
    QStringList notes = ApplyCheckedSetup(window, row.setup, tarvex::cli::ColumnNames());
    if (!note.isEmpty()) {
        notes.prepend(note);
    }
    return {true, notes.join(QLatin1Char('\n'))};
}

} // namespace

OpenSetupOutcome OpenSetupFile(Main& window, const QString& path, const RowChooser& choose) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return {
            false,
            QStringLiteral("%1 cannot be opened: %2").arg(QFileInfo(path).fileName(), file.errorString())};
    }
    QString note;
    std::vector<BatchSetupRow> rows;
    try {
        rows = ReadRows(file, note);
    } catch (const tarvex::cli::InputError& error) {
        const QString where = error.Line() > 0 ? QStringLiteral(":%1").arg(error.Line()) : QString();
        return {false,
                QFileInfo(path).fileName() + where + QStringLiteral(": ") + QString::fromUtf8(error.what())};
    }
    if (rows.empty()) {
        return {false, QFileInfo(path).fileName() +
                           QStringLiteral(
                               " holds no setup: a header row and at least one row below it are needed.")};
    }
    std::optional<qsizetype> chosen = 0;
    if (rows.size() > 1) {
        QStringList names;
        for (const BatchSetupRow& row : rows) {
            names << RowName(row);
        }
        chosen = choose(names);
        if (!chosen || *chosen < 0 || *chosen >= names.size()) {
            return {};
        }
    }
    return OpenRow(window, rows[static_cast<std::size_t>(*chosen)], note);
}

// Asks for the file, and for the row when it holds several; tells what came of it.
void Main::mnuOpenSetup_Click() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open Setup"), folder,
        QStringLiteral("Report CSV or tarvex-budget batch (*.csv);;All files (*)"));
    if (path.isEmpty()) {
        return;
    }
    const OpenSetupOutcome outcome =
        OpenSetupFile(*this, path, [this](const QStringList& rows) -> std::optional<qsizetype> {
            bool chosen = false;
            const QString row = QInputDialog::getItem(
                this, QStringLiteral("Open Setup"),
                QStringLiteral("The file holds several setups. Open row:"), rows, 0, false, &chosen);
            return chosen ? std::optional(rows.indexOf(row)) : std::nullopt;
        });
    if (outcome.message.isEmpty()) {
        return;
    }
    if (outcome.applied) {
        QMessageBox::information(this, QStringLiteral("Open Setup"), outcome.message);
    } else {
        QMessageBox::warning(this, QStringLiteral("Open Setup"), outcome.message);
    }
}
