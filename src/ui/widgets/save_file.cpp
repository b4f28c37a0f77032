#include "ui/widgets/save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace selmarind {

namespace {

QString CannotSave(const QString& path, const QString& reason) {
    return QStringLiteral("The file \"%1\" could not be saved: %2")
        .arg(QDir::toNativeSeparators(path), reason);
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
    if (!file.open(QIODevice::WriteOnly)) {
        return CannotSave(path, file.errorString() + u'.');
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return CannotSave(path, reason + u'.');
    }
    // commit() flushes and renames; a full disk often shows only here.
    if (!file.commit()) {
        return CannotSave(path, file.errorString() + u'.');
    }
    return std::nullopt;
}

} // namespace selmarind
