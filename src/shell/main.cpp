// selmarind: the desktop program.
#include "shell/app_icon.h"
#include "shell/app_style.h"
#include "shell/start_up.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(selmarind::kApplicationTitle);
    QCoreApplication::setApplicationName(selmarind::kApplicationTitle);
    QApplication::setWindowIcon(selmarind::ApplicationIcon());
    // The program ends through CloseAllAndEnd only (Exit, or closing either
    // window). Between the two windows none may be on screen for a moment,
    // and that must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const std::unique_ptr<selmarind::RunningProgram> program = selmarind::StartProgram();
    if (!program) {
        return 0;
    }
    return QApplication::exec();
}
