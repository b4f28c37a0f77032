#include "shell/navigation.h"

#include "chart/frm_display.h"
#include "shell/application_end.h"
#include "shell/mdi.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace selmarind {

Navigation::Navigation(QWidget* entryWindow, QObject* parent)
    : QObject(parent), entry_(entryWindow) {
    entry_->installEventFilter(this);
}

Navigation::~Navigation() {
    discardFrame();
}

void Navigation::showResult(const ChartResult& result) {
    discardFrame();
    auto* frame = new Mdi;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->display()->showResult(result);
    connect(frame, &Mdi::backRequested, this, &Navigation::back);
    connect(frame, &Mdi::exitRequested, this, &Navigation::exit);
    frame_ = frame;
    // The frame comes up before the form goes, so that a window is on
    // screen at every moment.
    frame->showMaximized();
    frame->activateWindow();
    if (entry_) {
        entry_->hide();
    }
}

void Navigation::back() {
    if (!frame_) {
        return;
    }
    if (entry_) {
        entry_->show();
        entry_->activateWindow();
    }
    discardFrame();
}

void Navigation::exit() {
    if (ending_) {
        return;
    }
    ending_ = true;
    CloseAllAndEnd();
}

void Navigation::discardFrame() {
    if (Mdi* frame = frame_) {
        frame_ = nullptr;
        frame->disconnect(this);
        frame->hide();
        // The frame may be in the middle of its own click handler.
        frame->deleteLater();
    }
}

bool Navigation::eventFilter(QObject* watched, QEvent* event) {
    // The birth-data form closed by the user (its close button or "E&xit")
    // ends the program. The check waits until the close has run, in case the
    // form refused it.
    if (watched == entry_ && event->type() == QEvent::Close && !ending_) {
        QTimer::singleShot(0, this, [this] {
            if (entry_ && !entry_->isVisible() && !frame_) {
                exit();
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace selmarind
