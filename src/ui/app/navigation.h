// Which of the two main windows the user sees: the birth-data form, or the
// frame window with a result. Each result gets a fresh frame and result
// form; Back destroys them and brings the birth-data form back as it was.
#pragma once

#include "chart/chart_result.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace selmarind {

class Mdi;

class Navigation : public QObject {
    Q_OBJECT

public:
    // `entryWindow` is the birth-data form; it lives for the whole program.
    explicit Navigation(QWidget* entryWindow, QObject* parent = nullptr);
    ~Navigation() override;

    // The frame window of the result on view, or nullptr.
    Mdi* frame() const;

public slots:
    // Hides the birth-data form and shows the result in a new frame window.
    void showResult(const selmarind::ChartResult& result);
    // Destroys the frame with its result form and shows the birth-data form.
    void back();
    // Closes every window and ends the program.
    void exit();

private:
    void discardFrame();

    QPointer<QWidget> entry_;
    // The frame on view. Navigation alone owns it: the frame does not delete
    // itself on close, and nothing else deletes it. A frame that is replaced
    // or sent back is handed to deleteLater (it may be inside its own click
    // handler); the one on view at the end goes with Navigation.
    std::unique_ptr<Mdi> frame_;
    bool ending_ = false;
};

} // namespace selmarind
