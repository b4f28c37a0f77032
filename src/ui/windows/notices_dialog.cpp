#include "ui/windows/notices_dialog.h"

#include "ui/widgets/app_style.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace selmarind {

QString ReadNotices(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return QStringLiteral("The third-party notices cannot be read: %1 is missing or "
                              "unreadable. They are also in the program's source.")
            .arg(path);
    }
    return QString::fromUtf8(file.readAll());
}

NoticesDialog::NoticesDialog(const QString& noticesPath, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmNotices"));
    setWindowTitle(QStringLiteral("Third-Party Notices"));
    setModal(true);
    ApplyAppStyle(this);

    auto* text = new QPlainTextEdit(ReadNotices(noticesPath), this);
    text->setObjectName(QStringLiteral("txtNotices"));
    text->setAccessibleName(QStringLiteral("Third-party notices"));
    text->setReadOnly(true);
    // Read-only, but the text can still be selected and copied by keyboard.
    text->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setMinimumSize(620, 420);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdCloseNotices"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    close->setFocus();
}

} // namespace selmarind
