#include "ui/widgets/application_end.h"

#include <QApplication>

namespace selmarind {

void CloseAllAndEnd() {
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace selmarind
