// A dialog service and a link opener that record what the windows ask of
// them instead of showing message boxes or starting a browser.
#pragma once

#include "ui/widgets/dialog_service.h"
#include "ui/widgets/link_opener.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <memory>

namespace selmarind::testing {

struct ShownMessage {
    QString text;
    DialogIcon icon;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

class RecordingDialogs final : public DialogService {
public:
    // One line per message, "Stop: text" or "Information: text", so that a
    // failing comparison prints what was shown.
    QStringList log() const {
        QStringList lines;
        for (const ShownMessage& m : shown) {
            lines << (m.icon == DialogIcon::Stop ? QStringLiteral("Stop: ")
                                                 : QStringLiteral("Information: ")) +
                         m.text;
        }
        return lines;
    }

    void showMessage(QWidget*, const QString& text, DialogIcon icon) override {
        shown.append({text, icon});
    }
    DialogAnswer askYesNo(QWidget*, const QString& text, DialogIcon icon) override {
        shown.append({text, icon});
        return DialogAnswer::No;
    }
    QList<ShownMessage> shown;
};

class RecordingLinks final : public LinkOpener {
public:
    bool open(const QUrl& address) override {
        opened.append(address);
        return true;
    }
    QList<QUrl> opened;
};

// Installs both recorders and returns them; the services own them.
inline std::pair<RecordingDialogs*, RecordingLinks*> InstallRecorders() {
    auto dialogs = std::make_unique<RecordingDialogs>();
    auto links = std::make_unique<RecordingLinks>();
    std::pair<RecordingDialogs*, RecordingLinks*> both{dialogs.get(), links.get()};
    SetDialogService(std::move(dialogs));
    SetLinkOpener(std::move(links));
    return both;
}

} // namespace selmarind::testing
