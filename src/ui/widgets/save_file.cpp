#include "ui/widgets/save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace selmarind {

namespace {

QString CannotSave(const QString& path, const QString& reason) {
    return QStringLiteral("The file \"%1\" could not be saved: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

// Why a write failed. Qt often reports a full disk as an unknown error, so
// the free space of the folder's disk is asked first.
QString WriteFailure(const QSaveFile& file, const QString& folder, qint64 size) {
    const QStorageInfo disk(folder);
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < size + 4096) {
        return QStringLiteral("the disk is full.");
    }
    const QString reason = file.errorString();
    return reason.isEmpty() || reason == QStringLiteral("Unknown error")
               ? QStringLiteral("the disk reported a write error.")
               : reason + u'.';
}

} // namespace

std::optional<QString> SaveFileReplacing(const QString& path, const QByteArray& bytes) {
    const QFileInfo target(path);
    if (target.isDir()) {
        return CannotSave(path, QStringLiteral("a folder of that name is in the way."));
    }
    // QFileInfo follows a symbolic link: a link to a regular file is saved
    // through (QSaveFile replaces the file it points to), a link to a device
    // is refused like the device.
    if (target.exists() && !target.isFile()) {
        return CannotSave(path, QStringLiteral("it is a device or other special file, not a "
                                               "regular file."));
    }
    if (!target.absoluteDir().exists()) {
        return CannotSave(path, QStringLiteral("the folder \"%1\" does not exist.")
                                    .arg(QDir::toNativeSeparators(target.absolutePath())));
    }

    QSaveFile file(path);
    // Without the fallback, a folder the user may not create files in fails
    // cleanly instead of the file being overwritten in place.
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a failed write reports the system's reason (a full
    // disk) rather than an unknown error from a later flush.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return CannotSave(path, file.errorString() + u'.');
    }
    const QString folder = target.absolutePath();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = WriteFailure(file, folder, bytes.size());
        file.cancelWriting();
        return CannotSave(path, reason);
    }
    // commit() flushes to the disk and renames; a full disk may show only here.
    if (!file.commit()) {
        return CannotSave(path, WriteFailure(file, folder, bytes.size()));
    }
    return std::nullopt;
}

} // namespace selmarind
