#include "ui/app/start_up.h"

#include "ui/app/mdi.h"
#include "ui/app/navigation.h"
#include "ui/app/update_reminder.h"
#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/application_end.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/random_draw.h"
#include "ui/windows/advert_label.h"
#include "ui/windows/frm_main.h"

#include <QApplication>

namespace selmarind {

void ConfigureApplication() {
    QCoreApplication::setOrganizationName(kApplicationTitle);
    QCoreApplication::setApplicationName(kApplicationTitle);
    // The desktop entry's name ties the windows to the installed entry and
    // icon; the icon theme's icon where one is installed, the drawn one
    // otherwise (the build tree, a desktop without the theme).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.selmarind.Selmarind"));
    QApplication::setWindowIcon(ThemedApplicationIcon());
    // The program ends through CloseAllAndEnd only (Exit, or closing either
    // window). Between the two windows none may be on screen for a moment,
    // and that must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

RunningProgram::RunningProgram() = default;

RunningProgram::~RunningProgram() {
    // The frame goes before the birth-data form it returns to.
    channel.reset();
    navigation.reset();
    frmMain.reset();
}

namespace {

// Shows `window` unminimised on top and gives it the focus.
void BringForward(QWidget* window) {
    if (!window) {
        return;
    }
    if (window->isMinimized()) {
        window->showNormal();
    }
    window->raise();
    window->activateWindow();
}

} // namespace

std::unique_ptr<RunningProgram> StartProgram(const QString& lockPath,
                                             const QStringList& arguments) {
    auto program = std::make_unique<RunningProgram>();
    // Without a private lock path, or with a lock another user made, this
    // copy runs on its own: it neither hands its files over nor listens.
    const bool single = !lockPath.isEmpty();
    const QString socketPath = single ? SingleInstanceLock::SocketPathFor(lockPath) : QString();
    bool listening = single;
    if (single) {
        program->lock = std::make_unique<SingleInstanceLock>(lockPath);
        if (!program->lock->tryAcquire()) {
            program->lock.reset();
            listening = false;
            if (SingleInstanceLock::IsOwnFile(lockPath)) {
                // The running copy brings its window forward; only when it
                // does not answer does this start say that it is running.
                // The command line goes only to a socket of this user's.
                if (SingleInstanceLock::IsOwnFile(socketPath) &&
                    InstanceChannel::SendToRunning(socketPath, arguments)) {
                    CloseAllAndEnd();
                    return nullptr;
                }
                Dialogs().showMessage(nullptr, QStringLiteral("Application is already running"),
                                      DialogIcon::Information);
                CloseAllAndEnd();
                return nullptr;
            }
        }
    }

    SeedRandomDraw();
    UpdateReminder();

    program->frmMain = std::make_unique<FrmMain>();
    program->navigation = std::make_unique<Navigation>(program->frmMain.get());
    QObject::connect(program->frmMain.get(), &FrmMain::chartCalculated, program->navigation.get(),
                     &Navigation::showResult);
    program->frmMain->show();

    program->channel = std::make_unique<InstanceChannel>();
    // Without the socket a second start shows the refusal, as before.
    if (listening) {
        program->channel->listen(socketPath);
    }
    RunningProgram* running = program.get();
    QObject::connect(program->channel.get(), &InstanceChannel::filesReceived,
                     program->channel.get(), [running](const QStringList& files) {
                         // A file given to the second start opens here, in
                         // the birth form, as if given to this one.
                         OpenRecordOfArguments(*running, QStringList{QString()} + files);
                         Mdi* frame = running->navigation->frame();
                         BringForward(frame && frame->isVisible()
                                          ? static_cast<QWidget*>(frame)
                                          : static_cast<QWidget*>(running->frmMain.get()));
                     });
    ChooseAdvertLabel(*program->frmMain);
    return program;
}

void OpenRecordOfArguments(RunningProgram& program, const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(u'-') && program.frmMain) {
            program.frmMain->openBirthRecord(arguments[i]);
            return;
        }
    }
}

} // namespace selmarind
