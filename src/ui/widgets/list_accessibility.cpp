#include "ui/widgets/list_accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>

#include <algorithm>

namespace selmarind {

namespace {

// A read-only text over the list's current item. Offsets count UTF-16 code
// units of that item, as everywhere in Qt's text interfaces; there is no
// caret or selection to move.
class NamedListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return current();
        }
        // The name: the field the list belongs to; without a name of its
        // own the caption that has it as buddy, as for any widget.
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString& action) override {
        auto* list = static_cast<QComboBox*>(widget());
        if (action == showMenuAction() || action == pressAction()) {
            list->showPopup();
        }
    }

    // QAccessibleTextInterface.
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override {
        const QString all = current();
        const auto start = std::clamp<qsizetype>(startOffset, 0, all.size());
        const auto end =
            endOffset < 0 ? all.size() : std::clamp<qsizetype>(endOffset, start, all.size());
        return all.mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(current().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QString current() const { return static_cast<const QComboBox*>(widget())->currentText(); }
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
