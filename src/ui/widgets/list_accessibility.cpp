#include "ui/widgets/list_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

namespace selmarind {

namespace {

class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        const auto* list = static_cast<const QComboBox*>(widget());
        switch (t) {
        case QAccessible::Name:
            // The field the list belongs to; without a name of its own the
            // caption that has it as buddy, as for any widget.
            return QAccessibleWidget::text(t);
        case QAccessible::Value:
            return list->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* ListFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QComboBox")) {
        return nullptr;
    }
    auto* list = qobject_cast<QComboBox*>(object);
    if (!list || list->isEditable()) {
        return nullptr;
    }
    return new NamedListAccessible(list);
}

} // namespace

void InstallListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ListFactory);
        return true;
    }();
    (void)installed;
}

} // namespace selmarind
