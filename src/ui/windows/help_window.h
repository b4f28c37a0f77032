// The help page in a window of the program's own, for a system where no
// browser opens it: a text browser showing the page installed beside the
// program, its pictures and in-page links included; links to the web go to
// the link opener.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace selmarind {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Shows the page at `page`, a local file.
    explicit HelpWindow(const QUrl& page, QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }

private:
    void follow(const QUrl& link);

    QTextBrowser* browser_ = nullptr;
};

// "&Online Help": the help page through the link opener; where nothing opens
// it, the installed page in the help window (one for the program, raised
// when shown again), or, with no page installed, a message over `parent`
// with the address of the online help. The window, or nullptr.
HelpWindow* ShowHelp(QWidget* parent);

} // namespace selmarind
