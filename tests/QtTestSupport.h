#pragma once

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

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

// Writes a file the test needs, failing the test when it cannot.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
