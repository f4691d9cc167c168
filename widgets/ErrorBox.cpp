#include "widgets/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>

QString ApplicationTitle;

namespace {

std::function<void(const QString&)>& Handler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

QString ErrorBoxText(const QString& message) {
    if (message.isEmpty() || message.back() <= QLatin1Char('.') || message.back() == u'。' ||
        message.back() == u'！' || message.back() == u'？')
        return message;
    // Chinese ends a sentence with its own full stop, also after a file name in Latin letters.
    const bool chinese = std::any_of(message.begin(), message.end(),
                                     [](QChar ch) { return ch.script() == QChar::Script_Han; });
    return message + (chinese ? QChar(u'。') : QChar(u'.'));
}

void ShowErrorBox(const QString& message) {
    const QString text = ErrorBoxText(message);
    if (Handler()) {
        Handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, ApplicationTitle, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText); // messages quote file names and language texts
    box.exec();
}

void SetErrorBoxHandler(std::function<void(const QString& text)> handler) {
    Handler() = std::move(handler);
}
