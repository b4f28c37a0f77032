#include "ui/app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace selmarind {

SingleInstanceLock::SingleInstanceLock(const QString& lockPath) : lock_(lockPath) {
    // The lock lives as long as the program runs, so its age says nothing:
    // only a holder that no longer runs makes it stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstanceLock::tryAcquire() {
    return lock_.isLocked() || lock_.tryLock(0);
}

QString SingleInstanceLock::DefaultLockPath() {
    // The runtime folder belongs to the user; the temporary folder, where
    // there is none, may be shared, so the user's name goes into the file name.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString name = QStringLiteral("selmarind.lock");
    if (folder.isEmpty()) {
        folder = QDir::tempPath();
        QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
        name = QStringLiteral("selmarind-%1.lock").arg(user);
    }
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

} // namespace selmarind
