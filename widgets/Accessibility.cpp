#include "widgets/Accessibility.h"

#include "platform/Translation.h"
#include "widgets/ErrorBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>

namespace {

// Marks what this pass set, so that a later pass may replace it but never what a window set.
constexpr const char* DerivedName = "orvantaDerivedAccessibleName";
constexpr const char* DerivedDescription = "orvantaDerivedAccessibleDescription";

QString Plain(QString text) {
    return text.remove(QLatin1Char('&')).simplified();
}

QString QtText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
    return node ? Plain(node->text(kind)) : QString();
}

QString Hint(const QWidget* widget) {
    return Plain(widget->toolTip().isEmpty() ? widget->statusTip() : widget->toolTip());
}

// The caption of the nearest group box around the widget; empty when there is none.
QString BoxCaption(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up && !widget->isWindow() && !up->isWindow();
         up = up->parentWidget())
        if (const auto* box = qobject_cast<const QGroupBox*>(up);
            box && !Plain(box->title()).isEmpty())
            return Plain(box->title());
    return {};
}

// The caption of the nearest group box around the widget, or its window's title.
QString Context(const QWidget* widget) {
    if (widget->isWindow())
        return Plain(ApplicationTitle);
    const QString box = BoxCaption(widget);
    return box.isEmpty() ? Plain(widget->window()->windowTitle()) : box;
}

// The hint of the picture to the left of a value on the same row, as the person panels show them.
QString PictureBeside(const QLabel* value) {
    const QWidget* parent = value->parentWidget();
    if (!parent || value->text().isEmpty())
        return {};
    const QLabel* best = nullptr;
    for (const QLabel* picture : parent->findChildren<const QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect a = picture->geometry();
        const QRect b = value->geometry();
        if (picture == value || picture->pixmap().isNull() || Hint(picture).isEmpty() ||
            a.right() >= b.left() || a.bottom() < b.top() || a.top() > b.bottom())
            continue;
        if (!best || a.right() > best->geometry().right())
            best = picture;
    }
    return best ? Hint(best) : QString();
}

// What a control is when nothing on screen names it.
QString KindName(const QWidget* widget) {
    if (qobject_cast<const QMenuBar*>(widget))
        return Tr({"Accessible", "MenuBar"});
    if (qobject_cast<const QStatusBar*>(widget))
        return Tr({"Accessible", "StatusBar"});
    if (qobject_cast<const QToolBar*>(widget))
        return Tr({"Accessible", "ToolBar"});
    if (qobject_cast<const QScrollBar*>(widget))
        return Tr({"Accessible", "ScrollBar"});
    return {};
}

// What a control does when its hint does not say.
QString KindDescription(const QWidget* widget) {
    const QString name = widget->objectName();
    if (name.startsWith(QLatin1String("pnColor")))
        return Tr({"Accessible", "ColorSquare"});
    if (name.startsWith(QLatin1String("im")) && !qobject_cast<const QLabel*>(widget))
        return Tr({"Accessible", "Chart"});
    if (qobject_cast<const QTextEdit*>(widget))
        return Tr({"Accessible", "Document"});
    if (qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QToolBar*>(widget))
        return Tr({"Accessible", "Commands"});
    if (qobject_cast<const QStatusBar*>(widget))
        return Tr({"Accessible", "Hints"});
    if (widget->isWindow())
        return Plain(ApplicationTitle);
    return {};
}

void Describe(QWidget* widget) {
    if (widget->property(DerivedName).toBool())
        widget->setAccessibleName({});
    if (widget->property(DerivedDescription).toBool())
        widget->setAccessibleDescription({});
    if (!widget->accessibleName().isEmpty() && !widget->accessibleDescription().isEmpty())
        return;

    // What the control shows says what it is; a picture without text says it by its hint.
    QString own;
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        own = Plain(box->title());
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        own = Plain(label->text());
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        own = Plain(button->text());
    if (own.isEmpty())
        own = Hint(widget);
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
    const QString qtName = node ? node->text(QAccessible::Name) : QString();
    QString name = Plain(qtName);
    if (widget->accessibleName().isEmpty()) {
        for (const QString& candidate : {own, name, KindName(widget), Context(widget)}) {
            if (!candidate.isEmpty()) {
                name = candidate;
                break;
            }
        }
        if (name != qtName) {
            widget->setAccessibleName(name);
            widget->setProperty(DerivedName, true);
        }
    }

    if (const QString described = QtText(widget, QAccessible::Description);
        !described.isEmpty() && described != name)
        return;
    QString description = KindDescription(widget);
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && description.isEmpty())
        description = PictureBeside(label);
    const QString context = Context(widget);
    if (description.isEmpty())
        description = context != name ? context : Plain(ApplicationTitle);
    else if (const QString box = BoxCaption(widget);
             !box.isEmpty() && box != name && box != description)
        description = box + QStringLiteral(": ") + description;
    widget->setAccessibleDescription(description);
    widget->setProperty(DerivedDescription, true);
}

} // namespace

void DescribeForAssistiveTechnologies(QWidget* window) {
    Describe(window);
    for (QWidget* widget : window->findChildren<QWidget*>())
        Describe(widget);
}
