#include "ui/widgets/accessible_captions.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QList>

namespace selmarind {

namespace {

constexpr char kHiddenProperty[] = "selmarindCaptionHiddenFromReader";

class HiddenCaptionAccessible : public QAccessibleWidget {
public:
    explicit HiddenCaptionAccessible(QLabel* caption)
        : QAccessibleWidget(caption, QAccessible::StaticText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return static_cast<const QLabel*>(widget())->text();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* CaptionFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QLabel")) {
        return nullptr;
    }
    auto* label = qobject_cast<QLabel*>(object);
    if (!label || !IsCaptionHiddenFromReader(label)) {
        return nullptr;
    }
    return new HiddenCaptionAccessible(label);
}

} // namespace

void HideCaptionFromReader(QLabel* caption) {
    static const bool installed = [] {
        QAccessible::installFactory(CaptionFactory);
        return true;
    }();
    (void)installed;
    if (IsCaptionHiddenFromReader(caption)) {
        return;
    }
    caption->setProperty(kHiddenProperty, true);
    // A label makes its interface as soon as it has a text and a reader is
    // listening; that one is dropped, so the next query makes ours.
    QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(caption);
    if (existing && !dynamic_cast<HiddenCaptionAccessible*>(existing)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
        QAccessible::State changed;
        changed.invisible = true;
        QAccessibleStateChangeEvent event(caption, changed);
        QAccessible::updateAccessibility(&event);
    }
}

bool IsCaptionHiddenFromReader(const QLabel* caption) {
    return caption->property(kHiddenProperty).toBool();
}

void HideCaptionsReadWithValues(QWidget* root) {
    const auto readsItsCaption = [](const QWidget* value) {
        return value && qobject_cast<const QLabel*>(value) &&
               !value->accessibleDescription().isEmpty() && !value->accessibleName().isEmpty();
    };
    for (QLabel* caption : root->findChildren<QLabel*>()) {
        if (readsItsCaption(caption->buddy())) {
            HideCaptionFromReader(caption);
            continue;
        }
        QString text = caption->text().trimmed();
        if (text.endsWith(u':')) {
            text = text.chopped(1).trimmed();
        }
        if (text.isEmpty() || !caption->parentWidget()) {
            continue;
        }
        const QList<QLabel*> siblings =
            caption->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        for (const QLabel* value : siblings) {
            if (value != caption && readsItsCaption(value) &&
                value->accessibleDescription() == text) {
                HideCaptionFromReader(caption);
                break;
            }
        }
    }
}

} // namespace selmarind
