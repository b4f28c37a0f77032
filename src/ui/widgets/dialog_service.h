// Every message box of the program goes through one dialog service, so that
// tests can replace it with a recording one.
#pragma once

#include "input/validation.h"

#include <QString>

#include <QStringList>

#include <memory>
#include <optional>

class QWidget;

namespace selmarind {

enum class DialogIcon { Stop, Information };
enum class DialogAnswer { Ok, Yes, No };

// The icon of a message from the checks: Stop for an error, Information
// otherwise.
DialogIcon ToDialogIcon(MessageIcon icon);

class DialogService {
public:
    virtual ~DialogService() = default;
    // A modal message with an OK button, captioned with the application title.
    virtual void showMessage(QWidget* parent, const QString& text, DialogIcon icon) = 0;
    // A modal question with Yes and No buttons, captioned with the application title.
    virtual DialogAnswer askYesNo(QWidget* parent, const QString& text, DialogIcon icon) = 0;
    // A modal question with one button per answer, in order, and Cancel,
    // captioned with the application title: the index (0-based) of the
    // answer chosen, nothing on Cancel. A service that cannot ask chooses
    // nothing.
    virtual std::optional<int> askChoice(QWidget* parent, const QString& text,
                                         const QStringList& answers);
    // A modal line of text to type, captioned with the application title,
    // `text` above it and `initial` in it: the text typed, nothing on
    // Cancel. A service that cannot ask gets nothing.
    virtual std::optional<QString> askText(QWidget* parent, const QString& text,
                                           const QString& initial);
};

// The service in use; the real message boxes unless a test installed another.
DialogService& Dialogs();

// Installs a replacement (tests); nullptr restores the real message boxes.
void SetDialogService(std::unique_ptr<DialogService> service);

} // namespace selmarind
