// A file-dialog service that answers with paths a test queued and records
// what each dialog offered, so that no real dialog opens.
#pragma once

#include "ui/widgets/file_dialogs.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace selmarind::testing {

class FileDialogAnswers final : public FileDialogService {
public:
    QString askOpenPath(QWidget*, const QString&, const QString& folder,
                        const QStringList& filters) override {
        offeredFolder = folder;
        offeredFilters = filters;
        return next();
    }
    QString askSavePath(QWidget*, const QString&, const QString& suggestedPath,
                        const QStringList& filters, QString* selectedFilter) override {
        offeredPath = suggestedPath;
        offeredFilters = filters;
        if (selectedFilter && !chosenFilter.isEmpty()) {
            *selectedFilter = chosenFilter;
        }
        return next();
    }

    QStringList answers; // taken first to last; an empty answer is Cancel
    QString chosenFilter;
    QString offeredFolder;
    QString offeredPath;
    QStringList offeredFilters;

private:
    QString next() { return answers.isEmpty() ? QString() : answers.takeFirst(); }
};

inline FileDialogAnswers* InstallFileDialogAnswers() {
    auto answers = std::make_unique<FileDialogAnswers>();
    FileDialogAnswers* installed = answers.get();
    SetFileDialogService(std::move(answers));
    return installed;
}

} // namespace selmarind::testing
