#pragma once

class QByteArray;
class QString;
class QWidget;

// Writes `contents` to `path` whole or not at all: QSaveFile writes into a temporary file beside the
// target and renames it into place only when all is written, so a failure leaves no partial file and an
// earlier file whole. On failure a message box titled `title` shows `failure`, whose %1 is the path (in
// the system's separators) and %2 the system's reason, and the result is false.
bool SaveFileOrExplain(QWidget* parent, const QString& path, const QByteArray& contents, const QString& title,
                       const QString& failure);
