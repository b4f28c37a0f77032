// selmarind: the desktop program.
#include "ui/app/start_up.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    selmarind::ConfigureApplication();
    const std::unique_ptr<selmarind::RunningProgram> program = selmarind::StartProgram();
    if (!program) {
        return 0;
    }
    selmarind::OpenRecordOfArguments(*program, QApplication::arguments());
    return QApplication::exec();
}
