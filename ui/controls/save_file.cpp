#include "ui/controls/save_file.h"

#include <QByteArray>
#include <QDir>
#include <QMessageBox>
#include <QSaveFile>
#include <QString>

bool SaveFileOrExplain(QWidget* parent, const QString& path, const QByteArray& contents, const QString& title,
                       const QString& failure) {
    QSaveFile file(path);
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit();
    if (!saved) {
        const QString reason = file.errorString();
        file.cancelWriting();
        QMessageBox::critical(parent, title, failure.arg(QDir::toNativeSeparators(path), reason));
    }
    return saved;
}
