// Shared pieces of the window tests: a recording dialog service and link
// opener, a screen of a known size, a settings store of their own, and a way
// to close the modal box that a step opens.
#pragma once

#include "ui/widgets/dialog_service.h"
#include "ui/widgets/link_opener.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace selmarind::test {

struct RecordedDialog {
    QString text;
    DialogIcon icon;
    bool question;
    // The windows on screen when the box came up.
    QStringList visibleWindows;
};

inline QStringList VisibleWindowNames() {
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            names << widget->objectName();
        }
    }
    return names;
}

// Records every message box instead of showing it; questions get the queued
// answers in turn, then No; choices the queued choices, then Cancel.
class RecordingDialogs final : public DialogService {
public:
    std::vector<RecordedDialog> shown;
    std::deque<DialogAnswer> answers;
    std::deque<int> choices;
    // The answers offered by each choice, in the order asked.
    std::vector<QStringList> offered;

    void showMessage(QWidget*, const QString& text, DialogIcon icon) override {
        shown.push_back({text, icon, false, VisibleWindowNames()});
    }

    DialogAnswer askYesNo(QWidget*, const QString& text, DialogIcon icon) override {
        shown.push_back({text, icon, true, VisibleWindowNames()});
        if (answers.empty()) {
            return DialogAnswer::No;
        }
        const DialogAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<int> askChoice(QWidget*, const QString& text,
                                 const QStringList& offeredAnswers) override {
        shown.push_back({text, DialogIcon::Information, true, VisibleWindowNames()});
        offered.push_back(offeredAnswers);
        if (choices.empty()) {
            return std::nullopt;
        }
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }

    // Answers the next text questions in order; Cancel once none is left.
    QStringList typed;
    QStringList asked;
    std::optional<QString> askText(QWidget*, const QString& text, const QString&) override {
        asked.append(text);
        return typed.isEmpty() ? std::nullopt : std::optional<QString>(typed.takeFirst());
    }
};

// Records every address instead of opening it; `browserAnswers` false acts
// as a system with no browser.
class RecordingLinks final : public LinkOpener {
public:
    std::vector<QUrl> opened;
    bool browserAnswers = true;
    bool open(const QUrl& address) override {
        opened.push_back(address);
        return browserAnswers;
    }
};

// Installs both recorders for the life of the object.
class Recorders {
public:
    Recorders() {
        auto dialogs = std::make_unique<RecordingDialogs>();
        auto links = std::make_unique<RecordingLinks>();
        dialogs_ = dialogs.get();
        links_ = links.get();
        SetDialogService(std::move(dialogs));
        SetLinkOpener(std::move(links));
    }
    ~Recorders() {
        SetDialogService(nullptr);
        SetLinkOpener(nullptr);
    }
    Recorders(const Recorders&) = delete;
    Recorders& operator=(const Recorders&) = delete;

    RecordingDialogs& dialogs() { return *dialogs_; }
    RecordingLinks& links() { return *links_; }

private:
    RecordingDialogs* dialogs_;
    RecordingLinks* links_;
};

// Runs `action`, which opens a modal dialog, and once the dialog is up calls
// `onDialog` with it (which should close it). Returns false when no modal
// dialog came up within five seconds.
inline bool WithModalDialog(const std::function<void()>& action,
                            const std::function<void(QDialog*)>& onDialog) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen = true;
            onDialog(dialog);
        }
    });
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    poll.start();
    giveUp.start(5000);
    action();
    return seen;
}

// Lets deferred deletions and pending layout work run.
inline void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    QApplication::processEvents();
}

// Points the settings store and the standard folders at a temporary folder
// of the test's own.
inline void UsePrivateSettings(const QTemporaryDir& dir) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
}

// On the offscreen platform, gives the test one screen of `width` ×
// `height` pixels at 96 dpi. Call before the application object is made.
inline void UseOffscreenScreen(const QByteArray& width, const QByteArray& height) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") {
        return;
    }
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("screen.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    QTextStream(&file) << R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": )" << width
                       << R"(, "height": )" << height
                       << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(path));
}

// A 1366 × 768 screen, a common laptop screen, wider than the result form.
inline void UseLaptopScreen() {
    UseOffscreenScreen("1366", "768");
}

// The screen SELMARIND_TEST_SCREEN names ("1600x1000"), else the laptop
// screen.
inline void UseScreenFromEnvironment() {
    const QList<QByteArray> parts = qgetenv("SELMARIND_TEST_SCREEN").split('x');
    if (parts.size() == 2) {
        UseOffscreenScreen(parts[0], parts[1]);
    } else {
        UseLaptopScreen();
    }
}

} // namespace selmarind::test

// A Qt Test main on the laptop screen.
#define SELMARIND_UI_TEST_MAIN(TestClass)                                                          \
    int main(int argc, char* argv[]) {                                                             \
        selmarind::test::UseLaptopScreen();                                                        \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
