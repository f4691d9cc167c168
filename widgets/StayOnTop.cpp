#include "widgets/StayOnTop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

TStayOnTop::TStayOnTop(QWidget* window, TWhile condition)
    : QObject(window), window_(window), condition_(condition) {
    // Every window's blocking is seen: a modal window opened over the window's own message box
    // blocks the other windows, not this one a second time.
    qApp->installEventFilter(this);
    if (condition == TWhile::UnblockedAndProgramActive)
        connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { Apply(); });
}

bool TStayOnTop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
        // Sent on each change only: a second modal window over the first sends none.
        if (watched == window_)
            blocked_ = event->type() == QEvent::WindowBlocked;
        Apply();
        break;
    case QEvent::Show:
        // Before the native window is mapped, which reads its flags then.
        if (watched == window_)
            Apply();
        break;
    default:
        break;
    }
    return false;
}

bool TStayOnTop::BlockedByAnother() const {
    if (!blocked_)
        return false;
    const QWindow* modal = QGuiApplication::modalWindow();
    if (!modal || modal->modality() != Qt::WindowModal)
        return true;
    for (const QWindow* owner = modal->transientParent(); owner; owner = owner->transientParent())
        if (owner == window_->windowHandle())
            return false;
    return true;
}

void TStayOnTop::Apply() {
    QWindow* native = window_->windowHandle();
    if (!native || QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    const bool onTop =
        !BlockedByAnother() && (condition_ == TWhile::Unblocked ||
                                QGuiApplication::applicationState() == Qt::ApplicationActive);
    if (native->flags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        native->setFlags(native->flags() ^ Qt::WindowStaysOnTopHint);
}

bool StaysOnTop(const QWidget* window) {
    const QWindow* native = window->windowHandle();
    return native && native->flags().testFlag(Qt::WindowStaysOnTopHint);
}
