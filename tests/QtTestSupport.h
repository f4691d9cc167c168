#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// The child of `parent` named `name`, as the type it must have; a missing one fails the test.
template <class T> T* Child(const QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    if (!child)
        ADD_FAILURE() << "no " << name << " in " << parent->objectName().toStdString();
    return child;
}

// Runs `check` on the next shown modal window other than `over`, which opens inside a call that
// only returns once it closes; `check` must close it.
inline void OnModal(QObject* context, std::function<void(QWidget*)> check,
                    const QWidget* over = nullptr) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, over, check = std::move(check)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != over && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            check(modal);
        }
    });
    timer->start(10);
}

// Types `name` into a file dialog's name field, as a user does once the dialog is active.
// selectFile would leave the field alone while it has the focus, which comes with the window
// system's activation of the dialog, sooner or later.
inline void TypeFileName(QFileDialog* dialog, const QString& name) {
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return dialog->isActiveWindow(); }));
    Child<QLineEdit>(dialog, "fileNameEdit")->setText(name);
}

// What a message box showed: its text, its button captions in alphabetical order and the
// caption of its default button.
struct TBoxSeen {
    bool shown = false;
    QString text;
    QStringList buttons;
    QString defaultButton;
};

// Answers the next modal message box by clicking the button captioned `answer`, or with Esc when
// it has none, and notes what it showed.
inline void AnswerNextBox(QObject* context, const QString& answer, TBoxSeen& seen) {
    OnModal(context, [answer, &seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) {
            modal->close();
            return;
        }
        seen.shown = true;
        seen.text = box->text();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == answer)
                chosen = button;
        }
        seen.buttons.sort();
        seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        if (chosen)
            chosen->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
}

// A file's bytes; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file the test needs, failing the test when it cannot.
inline void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}
