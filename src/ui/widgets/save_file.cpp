#include "ui/widgets/save_file.h"

#include "files/atomic_file.h"

#include <QDir>
#include <QFile>

namespace selmarind {

std::optional<QString> SaveFileReplacing(const QString& path, const QByteArray& bytes) {
    const std::optional<SaveFailure> failure = ReplaceFileAtomically(
        std::filesystem::path(QFile::encodeName(path).toStdString()),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!failure) {
        return std::nullopt;
    }
    return QStringLiteral("The file \"%1\" could not be saved: %2.")
        .arg(QDir::toNativeSeparators(path), QString::fromStdString(failure->reason));
}

} // namespace selmarind
