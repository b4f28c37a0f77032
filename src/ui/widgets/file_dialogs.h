// Every open and save dialog of the program goes through one file-dialog
// service, so that tests can answer with a path instead of a real dialog.
// The folder each kind of file was last opened from or saved to is kept
// with QSettings and offered the next time.
#pragma once

#include "input/birth_entries.h"

#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <memory>

class QWidget;

namespace selmarind {

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The file the user chose to open, or empty when the dialog was cancelled.
    // `filters` are "Birth records (*.selmarind)" lines.
    virtual QString askOpenPath(QWidget* parent, const QString& caption, const QString& folder,
                                const QStringList& filters) = 0;
    // The path the user chose to save to, or empty when cancelled.
    // `suggestedPath` is the folder and the suggested name; `selectedFilter`
    // is the filter offered first and, on return, the one chosen.
    virtual QString askSavePath(QWidget* parent, const QString& caption,
                                const QString& suggestedPath, const QStringList& filters,
                                QString* selectedFilter) = 0;
};

// The service in use; the real dialogs unless a test installed another.
FileDialogService& FileDialogs();

// Installs a replacement (tests); nullptr restores the real dialogs.
void SetFileDialogService(std::unique_ptr<FileDialogService> service);

// The folder files of `kind` ("records", "exports") were last opened from or
// saved to, when it still exists; else the user's `firstFolder` (documents,
// pictures), else the documents folder, when it exists; else the home
// folder, so that a dialog never opens in the program's working folder.
QString
LastFolder(const QString& kind,
           QStandardPaths::StandardLocation firstFolder = QStandardPaths::DocumentsLocation);

// Remembers the folder of `filePath` for files of `kind`.
void RememberFolder(const QString& kind, const QString& filePath);

// The name offered for a file of these entries: the person's name and the
// birth date, "ANANYA RAO 1987-08-14" + `extension` (".selmarind", ".pdf").
// Characters a file name cannot hold on common systems are left out; without
// a name the date stands alone.
QString SuggestedFileName(const BirthEntries& entries, const QString& extension);

} // namespace selmarind
