// selmarind: the desktop program.
#include "ui/app/command_line.h"
#include "ui/app/start_up.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[]) {
    // Answered before the application object and the single-instance lock:
    // --version needs no display and works beside a running copy.
    const selmarind::StartMode mode = selmarind::StartModeOf(argc, argv);
    if (mode == selmarind::StartMode::Version) {
        return selmarind::PrintVersion();
    }
    if (mode == selmarind::StartMode::SelfTest) {
        selmarind::PrepareSelfTest();
    }
    QApplication app(argc, argv);
    selmarind::ConfigureApplication();
    if (mode == selmarind::StartMode::SelfTest) {
        return selmarind::RunSelfTest();
    }
    // Files are handed on by their absolute paths: a running copy has
    // another working folder.
    QStringList files;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        files << (argument.startsWith(u'-') ? argument : QFileInfo(argument).absoluteFilePath());
    }
    const std::unique_ptr<selmarind::RunningProgram> program =
        selmarind::StartProgram(selmarind::SingleInstanceLock::DefaultLockPath(), files);
    if (!program) {
        return 0;
    }
    selmarind::OpenRecordOfArguments(*program, QApplication::arguments());
    return QApplication::exec();
}
