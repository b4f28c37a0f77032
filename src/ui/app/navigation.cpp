#include "ui/app/navigation.h"

#include "ui/windows/frm_display.h"
#include "ui/widgets/application_end.h"
#include "ui/app/mdi.h"

#include <QWidget>

namespace selmarind {

Navigation::Navigation(QWidget* entryWindow, QObject* parent)
    : QObject(parent), entry_(entryWindow) {}

Navigation::~Navigation() {
    delete frame_;
}

Mdi* Navigation::frame() const {
    return frame_;
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

} // namespace selmarind
