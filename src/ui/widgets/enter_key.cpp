#include "ui/widgets/enter_key.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>

namespace selmarind {

namespace {

class EnterPresses : public QObject {
public:
    EnterPresses(QWidget& form, QAbstractButton& button) : QObject(&form), button_(&button) {}

protected:
    // Key presses a child leaves unaccepted travel up to the form, where
    // they pass this filter.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) {
            return false;
        }
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers != Qt::NoModifier || key->isAutoRepeat()) {
            return false;
        }
        auto* form = static_cast<QWidget*>(watched);
        QAbstractButton* target = button_;
        if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
            focused && form->isAncestorOf(focused)) {
            target = focused;
        }
        if (!target || !target->isEnabled() || !target->isVisible()) {
            return false;
        }
        target->click();
        return true;
    }

private:
    QPointer<QAbstractButton> button_;
};

} // namespace

void PressOnEnter(QWidget& form, QAbstractButton& button) {
    form.installEventFilter(new EnterPresses(form, button));
}

} // namespace selmarind
