#pragma once

#include <QString>

#include <exception>
#include <functional>

// The application title: the caption of the error boxes ("Орванта" built in; a language file
// may change it). Our own text: Qt's display name would be appended to every window title.
extern QString ApplicationTitle;

// The message as the error box shows it: a "." is appended when the last character sorts after
// ".", so "не найден" ends with a full stop and "?" or "!" stay as they are; in Chinese (the
// locale in use) it gets "。" instead, and one ending in "。", "！" or "？" nothing.
QString ErrorBoxText(const QString& message);

// Shows a failure in a message box with the error icon, titled with the application title.
void ShowErrorBox(const QString& message);

// Replaces the message box, for tests; an empty handler restores it.
void SetErrorBoxHandler(std::function<void(const QString& text)> handler);

// Runs a command, picker or menu handler; a failure it throws is shown in the error box and the
// program goes on (Qt does not carry exceptions through its event loop).
template <typename Handler> void RunGuarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ShowErrorBox(QString::fromUtf8(error.what()));
    }
}
