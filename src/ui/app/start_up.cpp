#include "ui/app/start_up.h"

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
    QApplication::setWindowIcon(ApplicationIcon());
    // The program ends through CloseAllAndEnd only (Exit, or closing either
    // window). Between the two windows none may be on screen for a moment,
    // and that must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
}

RunningProgram::RunningProgram() = default;

RunningProgram::~RunningProgram() {
    // The frame goes before the birth-data form it returns to.
    navigation.reset();
    frmMain.reset();
}

std::unique_ptr<RunningProgram> StartProgram(const QString& lockPath) {
    auto program = std::make_unique<RunningProgram>();
    program->lock = std::make_unique<SingleInstanceLock>(lockPath);
    if (!program->lock->tryAcquire()) {
        Dialogs().showMessage(nullptr, QStringLiteral("Application is already running"),
                              DialogIcon::Information);
        CloseAllAndEnd();
        return nullptr;
    }

    SeedRandomDraw();
    UpdateReminder();

    program->frmMain = std::make_unique<FrmMain>();
    program->navigation = std::make_unique<Navigation>(program->frmMain.get());
    QObject::connect(program->frmMain.get(), &FrmMain::chartCalculated, program->navigation.get(),
                     &Navigation::showResult);
    program->frmMain->show();
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
