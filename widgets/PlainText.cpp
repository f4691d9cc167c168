#include "widgets/PlainText.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace {

class TPlainToolTips final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        // Views and menus show their items' tooltips themselves: only a widget's own is ours.
        if (widget->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           PlainToolTipMarkup(widget->toolTip()), widget, {},
                           widget->toolTipDuration());
        return true;
    }
};

} // namespace

QString PlainToolTipMarkup(const QString& text) {
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

void ShowToolTipsAsPlainText() {
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new TPlainToolTips(application));
}
