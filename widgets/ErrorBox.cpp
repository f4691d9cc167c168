#include "widgets/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

QString ApplicationTitle;

namespace {

std::function<void(const QString&)>& Handler() {
    static std::function<void(const QString&)> handler;
    return handler;
}

} // namespace

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
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
