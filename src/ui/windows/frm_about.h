// The About box.
#pragma once

#include <QDialog>

class QWidget;

namespace selmarind {

// frmAbout: the program's name, what it is about and two links. "OK" is the
// default and the cancel button, so Enter and Esc close it.
class FrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit FrmAbout(QWidget* parent = nullptr);

private:
    // The version, licence, place-data attribution and third-party notices.
    void addLicenceNotes();
};

// Shows the About box modally over `parent` and returns when it is closed.
void ShowAboutBox(QWidget* parent);

} // namespace selmarind
