#include "widgets/ErrorBox.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>

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
    // The full stop of the language in use: Chinese has its own, also after a name in Latin
    // letters, and a name in Chinese letters does not make a Russian message Chinese.
    return message + (QLocale().language() == QLocale::Chinese ? QChar(u'。') : QChar(u'.'));
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
