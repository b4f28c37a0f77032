#include "ui/widgets/dialog_service.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/replaceable_service.h"

#include <QMessageBox>

namespace selmarind {

namespace {

QMessageBox::Icon ToQtIcon(DialogIcon icon) {
    return icon == DialogIcon::Stop ? QMessageBox::Critical : QMessageBox::Information;
}

// Message boxes keep the system's own light look, so that they read as
// dialogs of the desktop rather than of the window behind them.
class MessageBoxService final : public DialogService {
public:
    void showMessage(QWidget* parent, const QString& text, DialogIcon icon) override {
        QMessageBox box(ToQtIcon(icon), kApplicationTitle, text, QMessageBox::Ok, parent);
        box.setObjectName(QStringLiteral("messageBox"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        box.exec();
    }

    DialogAnswer askYesNo(QWidget* parent, const QString& text, DialogIcon icon) override {
        QMessageBox box(ToQtIcon(icon), kApplicationTitle, text, QMessageBox::Yes | QMessageBox::No,
                        parent);
        box.setObjectName(QStringLiteral("messageBox"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? DialogAnswer::Yes : DialogAnswer::No;
    }
};

ReplaceableService<DialogService, MessageBoxService>& Service() {
    static ReplaceableService<DialogService, MessageBoxService> service;
    return service;
}

} // namespace

DialogIcon ToDialogIcon(MessageIcon icon) {
    return icon == MessageIcon::Error ? DialogIcon::Stop : DialogIcon::Information;
}

DialogService& Dialogs() {
    return Service().get();
}

void SetDialogService(std::unique_ptr<DialogService> service) {
    Service().replace(std::move(service));
}

} // namespace selmarind
