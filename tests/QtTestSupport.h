#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs `check` on the next modal window, which opens inside a call that only returns once it
// closes; `check` must close it.
inline void OnModal(QObject* context, std::function<void(QWidget*)> check) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, check = std::move(check)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            check(modal);
        }
    });
    timer->start(10);
}
