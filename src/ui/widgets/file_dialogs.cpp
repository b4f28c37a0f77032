#include "ui/widgets/file_dialogs.h"

#include "ui/widgets/replaceable_service.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace selmarind {

namespace {

class QtFileDialogs final : public FileDialogService {
public:
    QString askOpenPath(QWidget* parent, const QString& caption, const QString& folder,
                        const QStringList& filters) override {
        return QFileDialog::getOpenFileName(parent, caption, folder,
                                            filters.join(QStringLiteral(";;")));
    }

    QString askSavePath(QWidget* parent, const QString& caption, const QString& suggestedPath,
                        const QStringList& filters, QString* selectedFilter) override {
        return QFileDialog::getSaveFileName(parent, caption, suggestedPath,
                                            filters.join(QStringLiteral(";;")), selectedFilter);
    }
};

ReplaceableService<FileDialogService, QtFileDialogs>& Service() {
    static ReplaceableService<FileDialogService, QtFileDialogs> service;
    return service;
}

QString SettingsKey(const QString& kind) {
    return QStringLiteral("fileDialogs/") + kind + QStringLiteral("/lastFolder");
}

} // namespace

FileDialogService& FileDialogs() {
    return Service().get();
}

void SetFileDialogService(std::unique_ptr<FileDialogService> service) {
    Service().replace(std::move(service));
}

QString LastFolder(const QString& kind, QStandardPaths::StandardLocation firstFolder) {
    const QString stored = QSettings().value(SettingsKey(kind)).toString();
    if (!stored.isEmpty() && QFileInfo(stored).isDir()) {
        return stored;
    }
    // A folder that is not there would open the dialog in the working folder.
    for (const QStandardPaths::StandardLocation location :
         {firstFolder, QStandardPaths::DocumentsLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return QDir::homePath();
}

void RememberFolder(const QString& kind, const QString& filePath) {
    QSettings().setValue(SettingsKey(kind), QFileInfo(filePath).absolutePath());
}

QString SuggestedFileName(const BirthEntries& entries, const QString& extension) {
    QString name;
    for (const QChar c : QString::fromStdString(entries.txtName).simplified()) {
        // Path separators, the characters one desktop system refuses, and
        // control characters.
        if (c.category() != QChar::Other_Control && !QStringLiteral("/\\:*?\"<>|").contains(c)) {
            name += c;
        }
    }
    name = name.simplified();
    const QString date = QStringLiteral("%1-%2-%3")
                             .arg(QString::fromStdString(entries.cboYear))
                             .arg(entries.cboMonthIndex + 1, 2, 10, QChar(u'0'))
                             .arg(QString::fromStdString(entries.cboDate).rightJustified(2, u'0'));
    return (name.isEmpty() ? date : name + u' ' + date) + extension;
}

} // namespace selmarind
