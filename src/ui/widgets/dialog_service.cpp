#include "ui/widgets/dialog_service.h"

#include "ui/widgets/app_style.h"
#include "ui/widgets/replaceable_service.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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

    std::optional<int> askChoice(QWidget* parent, const QString& text,
                                 const QStringList& answers) override {
        QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton,
                        parent);
        box.setObjectName(QStringLiteral("messageBox"));
        QList<QAbstractButton*> buttons;
        for (const QString& answer : answers) {
            buttons.append(box.addButton(answer, QMessageBox::AcceptRole));
        }
        // No answer is the default: Enter must not pick an offset unread.
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        box.exec();
        const qsizetype chosen = buttons.indexOf(box.clickedButton());
        return chosen < 0 ? std::nullopt : std::optional<int>(static_cast<int>(chosen));
    }

    std::optional<QString> askText(QWidget* parent, const QString& text,
                                   const QString& initial) override {
        QInputDialog box(parent);
        box.setObjectName(QStringLiteral("inputDialog"));
        box.setWindowTitle(kApplicationTitle);
        box.setLabelText(text);
        box.setTextValue(initial);
        if (box.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return box.textValue();
    }
};

ReplaceableService<DialogService, MessageBoxService>& Service() {
    static ReplaceableService<DialogService, MessageBoxService> service;
    return service;
}

} // namespace

std::optional<int> DialogService::askChoice(QWidget*, const QString&, const QStringList&) {
    return std::nullopt;
}

std::optional<QString> DialogService::askText(QWidget*, const QString&, const QString&) {
    return std::nullopt;
}

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
