#include "ui/app/navigation.h"

#include "ui/app/mdi.h"
#include "ui/widgets/application_end.h"
#include "ui/windows/chart_export.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/record_actions.h"

#include <QWidget>

namespace selmarind {

Navigation::Navigation(QWidget* entryWindow, QObject* parent)
    : QObject(parent), entry_(entryWindow) {}

Navigation::~Navigation() = default;

Mdi* Navigation::frame() const {
    return frame_.get();
}

void Navigation::showResult(const ChartResult& result) {
    discardFrame();
    frame_ = std::make_unique<Mdi>();
    Mdi* frame = frame_.get();
    // The chart was computed from the form's present entries; the details
    // tab names their zone and daylight-saving box.
    std::optional<BirthEntries> entries;
    if (auto* form = qobject_cast<FrmMain*>(entry_.data())) {
        entries = form->entries();
        // The record's name in the title, and its save entry, follow the
        // birth form.
        frame->setWindowTitle(form->windowTitle());
        connect(form, &QWidget::windowTitleChanged, frame, &QWidget::setWindowTitle);
        if (BirthRecordActions* records = form->recordActions()) {
            frame->addFileEntry(records->newSaveAction(*frame));
        }
    }
    frame->display()->showResult(result, entries);
    if (entries) {
        frame->chartExport()->setChart(result, *entries);
    } else {
        frame->chartExport()->setChart(result, {});
    }
    connect(frame, &Mdi::backRequested, this, &Navigation::back);
    connect(frame, &Mdi::exitRequested, this, &Navigation::exit);
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
    if (!frame_) {
        return;
    }
    Mdi* frame = frame_.release();
    frame->disconnect(this);
    frame->hide();
    // The frame may be in the middle of its own click handler.
    frame->deleteLater();
}

} // namespace selmarind
