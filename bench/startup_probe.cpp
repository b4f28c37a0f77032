// selmarind-startup-probe: the desktop program's own start-up, ended as
// soon as its first window is shown. It writes that moment on standard
// output as "first-window-shown-ns N", N being CLOCK_MONOTONIC in
// nanoseconds, so that process_meter can measure from the process start.
//
// The single-instance lock lives in a directory of its own, so a running
// copy of the program does not turn the probe away.
#include "ui/app/start_up.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

long long MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Notes the first top-level window shown and ends the event loop.
class FirstWindowWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Show) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                seen_ = true;
                std::printf("first-window-shown-ns %lld\n", MonotonicNanoseconds());
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            }
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    selmarind::ConfigureApplication();
    FirstWindowWatch watch;
    app.installEventFilter(&watch);

    const QTemporaryDir lockDir;
    const std::unique_ptr<selmarind::RunningProgram> program =
        selmarind::StartProgram(lockDir.filePath(QStringLiteral("selmarind.lock")));
    if (!program) {
        return 1;
    }
    return QApplication::exec();
}
