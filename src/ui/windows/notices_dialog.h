// The third-party notices (the NOTICE file shipped with the data), shown
// read-only from the About box.
#pragma once

#include <QDialog>
#include <QString>

namespace selmarind {

// The notices text from `path`, or a sentence naming the file when it
// cannot be read.
QString ReadNotices(const QString& path);

// frmNotices: the text in a scrollable read-only box and a Close button
// (default and cancel button, so Enter and Esc close it).
class NoticesDialog : public QDialog {
    Q_OBJECT

public:
    explicit NoticesDialog(const QString& noticesPath, QWidget* parent = nullptr);
};

} // namespace selmarind
