#include "ui/widgets/focus_ring.h"

#include "ui/widgets/app_style.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPointer>
#include <QTabBar>
#include <QWidget>

namespace selmarind {

namespace {

// The ring itself: a child of the focused control's parent (of the tab bar
// for a tab), above its siblings, letting every mouse event through.
class FocusRingWidget final : public QWidget {
public:
    FocusRingWidget() {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // Four filled bars rather than pen strokes: a pen of one logical
        // pixel may round down to fewer device pixels at a fractional scale
        // factor, while filled areas keep their full width.
        QPainter painter(this);
        const int w = kFocusRingWidthPx;
        const int width = rect().width();
        const int height = rect().height();
        painter.fillRect(0, 0, width, w, kFocusRingColor);
        painter.fillRect(0, height - w, width, w, kFocusRingColor);
        painter.fillRect(0, w, w, height - 2 * w, kFocusRingColor);
        painter.fillRect(width - w, w, w, height - 2 * w, kFocusRingColor);
    }
};

class FocusRingController final : public QObject {
public:
    FocusRingController() : QObject(qApp) {
        connect(qApp, &QApplication::focusChanged, this,
                [this](QWidget*, QWidget* now) { follow(now); });
    }

    QWidget* target() const { return ring_ && ring_->isVisible() ? target_.data() : nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_) {
            switch (event->type()) {
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::Show:
            case QEvent::Hide:
            case QEvent::ParentChange:
                place();
                break;
            default:
                break;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void follow(QWidget* now) {
        if (target_) {
            target_->removeEventFilter(this);
            if (auto* bar = qobject_cast<QTabBar*>(target_.data())) {
                disconnect(bar, &QTabBar::currentChanged, this, nullptr);
            }
        }
        target_ = now;
        if (target_) {
            target_->installEventFilter(this);
            if (auto* bar = qobject_cast<QTabBar*>(target_.data())) {
                connect(bar, &QTabBar::currentChanged, this, [this] { place(); });
            }
        }
        place();
    }

    // Puts the ring around the target, or hides it where there is nothing
    // to draw on: a top-level window, a drop-down list's popup.
    void place() {
        QWidget* target = target_.data();
        const bool drawable = target && target->isVisible() && target->parentWidget() &&
                              target->window()->windowType() != Qt::Popup;
        if (!drawable) {
            if (ring_) {
                ring_->hide();
            }
            return;
        }
        if (!ring_) {
            ring_ = new FocusRingWidget;
        }
        QRect area;
        QWidget* host = nullptr;
        if (auto* bar = qobject_cast<QTabBar*>(target); bar && bar->currentIndex() >= 0) {
            // Inside the current tab's rectangle, inset by the ring's width:
            // on the tab's own border, clear of the gap to the next tab
            // (the tabs stand side by side).
            host = bar;
            const int w = kFocusRingWidthPx;
            area = bar->tabRect(bar->currentIndex()).adjusted(w, w, -w, -w);
        } else {
            host = target->parentWidget();
            const int w = kFocusRingWidthPx;
            area = target->geometry().adjusted(-w, -w, w, w);
        }
        // Where the control touches its parent's edge the ring runs along
        // the control's own outer pixels on that side.
        area &= host->rect();
        if (ring_->parentWidget() != host) {
            ring_->setParent(host);
        }
        if (ring_->geometry() != area) {
            ring_->setGeometry(area);
        }
        ring_->raise();
        ring_->show();
    }

    QPointer<QWidget> target_;
    QPointer<FocusRingWidget> ring_;
};

QPointer<FocusRingController>& Controller() {
    static QPointer<FocusRingController> controller;
    return controller;
}

} // namespace

void InstallFocusRing() {
    if (!qApp || Controller()) {
        return;
    }
    Controller() = new FocusRingController;
    Controller()->setObjectName(QStringLiteral("focusRingController"));
}

QWidget* FocusRingTarget() {
    return Controller() ? Controller()->target() : nullptr;
}

} // namespace selmarind
