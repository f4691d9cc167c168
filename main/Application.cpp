#include "main/Application.h"

#include "OrvantaVersion.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"
#include "widgets/PlainText.h"

#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolButton>

namespace {

// Fusion, except that a menu bar's extension button, which shows only when the menus do not fit,
// gets its picture when it first shows. Qt keeps that picture as PNG files, and reading one tries
// every image plugin first: asked for as the menu bar was made, it loaded them all, and libjpeg.
class TApplicationStyle final : public QProxyStyle {
public:
    TApplicationStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (icon == SP_ToolBarHorizontalExtensionButton && !option &&
            qobject_cast<const QMenuBar*>(widget))
            return {};
        return QProxyStyle::standardIcon(icon, option, widget);
    }

    void polish(QWidget* widget) override {
        QProxyStyle::polish(widget);
        if (IsMenuBarExtension(widget))
            widget->installEventFilter(this);
    }
    using QProxyStyle::polish;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && IsMenuBarExtension(watched)) {
            auto* button = static_cast<QToolButton*>(watched);
            button->removeEventFilter(this);
            if (button->icon().isNull())
                button->setIcon(QProxyStyle::standardIcon(SP_ToolBarHorizontalExtensionButton,
                                                          nullptr, button->parentWidget()));
        }
        return QProxyStyle::eventFilter(watched, event);
    }

private:
    static bool IsMenuBarExtension(const QObject* object) {
        return qobject_cast<const QToolButton*>(object) &&
               qobject_cast<const QMenuBar*>(object->parent()) &&
               object->objectName() == QLatin1String("qt_menubar_ext_button");
    }
};

// The window system takes the program icon in five sizes, each drawn from SVG, as a window is
// made; the first paint needs none of them, so the windows get the icon once it is done.
class TIconAfterFirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            QMetaObject::invokeMethod(
                qApp, [] { QApplication::setWindowIcon(ProgramIcon()); }, Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void PrepareApplication() {
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramFullVersion));
    // Ties the windows to the desktop entry (and so its icon) on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvanta.Orvanta"));
    // The windows are laid out in pixels for this style's metrics.
    QApplication::setStyle(new TApplicationStyle);
    RegisterBundledFonts();
    MakeWindowFontTheDefault();
    qApp->installEventFilter(new TIconAfterFirstPaint);
    ShowToolTipsAsPlainText();
}
