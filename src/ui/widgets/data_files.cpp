#include "ui/widgets/data_files.h"

#include <QCoreApplication>
#include <QDir>

namespace selmarind {

QString DataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/") +
                           QStringLiteral(SELMARIND_DATA_FROM_BIN_DIR));
}

QString DataFilePath(const QString& name) {
    return DataFolder() + QStringLiteral("/") + name;
}

} // namespace selmarind
