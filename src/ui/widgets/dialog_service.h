// Every message box of the program goes through one dialog service, so that
// tests can replace it with a recording one.
#pragma once

#include "input/validation.h"

#include <QString>

#include <memory>

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
};

// The service in use; the real message boxes unless a test installed another.
DialogService& Dialogs();

// Installs a replacement (tests); nullptr restores the real message boxes.
void SetDialogService(std::unique_ptr<DialogService> service);

} // namespace selmarind
