// Start-up of the program: one running copy per user, the random draw, the
// update reminder, then the birth-data form.
#pragma once

#include "ui/app/single_instance.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace selmarind {

class FrmMain;
class Navigation;

// The windows and the lock of a running program; no lock and no listening
// channel when it runs without single instance.
struct RunningProgram {
    std::unique_ptr<SingleInstanceLock> lock;
    // Where a second start hands over its command line (filesReceived); the
    // window on view comes forward.
    std::unique_ptr<InstanceChannel> channel;
    std::unique_ptr<FrmMain> frmMain;
    std::unique_ptr<Navigation> navigation;

    RunningProgram();
    ~RunningProgram();
};

// Settings of the application object that every start shares: the names
// its stored settings go under, the window icon, and an end that comes
// only through CloseAllAndEnd. Call it once the QApplication exists.
void ConfigureApplication();

// Runs the start-up steps and shows the birth-data form. When another copy
// of the program is running already, hands it `arguments` (the command line
// after the program name) so that it brings its window forward; only when
// that copy does not answer, says that it is running. Either way returns
// nothing: no window of this copy is shown and the program ends. An empty
// `lockPath` (no private folder for it), or a lock or socket that another
// user made, and this copy runs on its own, without single instance.
std::unique_ptr<RunningProgram>
StartProgram(const QString& lockPath = SingleInstanceLock::DefaultLockPath(),
             const QStringList& arguments = {});

// Opens the birth record named on the command line (`selmarind FILE`) in the
// birth-data form. `arguments` are QCoreApplication::arguments(), the
// program first; the first argument after it that is not an option is the
// record.
void OpenRecordOfArguments(RunningProgram& program, const QStringList& arguments);

} // namespace selmarind
