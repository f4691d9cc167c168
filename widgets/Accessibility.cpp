#include "widgets/Accessibility.h"

#include "platform/Translation.h"
#include "widgets/ErrorBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolBar>

#include <QList>
#include <QPointer>

#include <initializer_list>
#include <utility>

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

// A menu's caption, or for a pop-up menu without one the captions of what it holds.
QString MenuName(const QMenu* menu) {
    if (const QString title = Plain(menu->title()); !title.isEmpty())
        return title;
    QStringList items;
    for (const QAction* item : menu->actions())
        if (item->isVisible() && !Plain(item->text()).isEmpty())
            items << Plain(item->text());
    return items.join(QStringLiteral(", "));
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
    if (qobject_cast<const QMenuBar*>(widget) || qobject_cast<const QToolBar*>(widget) ||
        qobject_cast<const QMenu*>(widget))
        return Tr({"Accessible", "Commands"});
    if (qobject_cast<const QStatusBar*>(widget))
        return Tr({"Accessible", "Hints"});
    if (widget->isWindow())
        return Plain(ApplicationTitle);
    return {};
}

// A pass derives afresh what the last one derived.
void ForgetDerived(QWidget* widget) {
    if (widget->property(DerivedName).toBool())
        widget->setAccessibleName({});
    if (widget->property(DerivedDescription).toBool())
        widget->setAccessibleDescription({});
}

// What the control shows says what it is; a picture without text says it by its hint.
QString ShownText(const QWidget* widget) {
    QString shown;
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        shown = Plain(box->title());
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        shown = Plain(label->text());
    else if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        shown = Plain(button->text());
    else if (const auto* menu = qobject_cast<const QMenu*>(widget))
        shown = MenuName(menu);
    return shown.isEmpty() ? Hint(widget) : shown;
}

QString FirstNonEmpty(std::initializer_list<QString> candidates) {
    for (const QString& candidate : candidates)
        if (!candidate.isEmpty())
            return candidate;
    return {};
}

// Names the control unless its window did or Qt already gives it that very name; returns the name
// the control goes by.
QString GiveName(QWidget* widget) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
    const QString qtName = node ? node->text(QAccessible::Name) : QString();
    if (!widget->accessibleName().isEmpty())
        return Plain(qtName);
    const QString name =
        FirstNonEmpty({ShownText(widget), Plain(qtName), KindName(widget), Context(widget)});
    if (name != qtName) {
        widget->setAccessibleName(name);
        widget->setProperty(DerivedName, true);
    }
    return name;
}

// What the control does: what its kind does, its hint or the picture beside its value, led by
// the box around it. Where nothing says more than the name, where it sits: its box or window.
QString DescriptionOf(const QWidget* widget, const QString& name) {
    QString description = FirstNonEmpty({KindDescription(widget), Hint(widget)});
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && description.isEmpty())
        description = PictureBeside(label);
    const QString box = BoxCaption(widget);
    if (!description.isEmpty() && !box.isEmpty() && box != name && box != description)
        return box + QStringLiteral(": ") + description;
    if (!description.isEmpty() && description != name)
        return description;
    const QString window = widget->isWindow() ? QString() : Plain(widget->window()->windowTitle());
    for (const QString& place : {box, window})
        if (!place.isEmpty() && place != name)
            return place;
    return Plain(ApplicationTitle);
}

void Describe(QWidget* widget) {
    ForgetDerived(widget);
    if (!widget->accessibleName().isEmpty() && !widget->accessibleDescription().isEmpty())
        return;
    const QString name = GiveName(widget);
    // Qt's description stands unless it only repeats the name.
    if (const QString described = QtText(widget, QAccessible::Description);
        !described.isEmpty() && described != name)
        return;
    widget->setAccessibleDescription(DescriptionOf(widget, name));
    widget->setProperty(DerivedDescription, true);
}

void DescribeNow(QWidget* window) {
    Describe(window);
    for (QWidget* widget : window->findChildren<QWidget*>())
        Describe(widget);
}

// Describing every control takes start-up time that no one gains while no assistive technology
// listens: the windows wait, and are described as one starts listening.
class TDescribeWhenListened final : public QAccessible::ActivationObserver {
public:
    TDescribeWhenListened() { QAccessible::installActivationObserver(this); }
    ~TDescribeWhenListened() override { QAccessible::removeActivationObserver(this); }

    void Describe(QWidget* window) {
        if (active_ || QAccessible::isActive())
            DescribeNow(window);
        else if (!waiting_.contains(window))
            waiting_ << window;
    }

    void accessibilityActiveChanged(bool active) override {
        active_ = active;
        if (active)
            for (const QPointer<QWidget>& window : std::exchange(waiting_, {}))
                if (window)
                    DescribeNow(window);
    }

private:
    bool active_ = false;
    QList<QPointer<QWidget>> waiting_;
};

} // namespace

void DescribeForAssistiveTechnologies(QWidget* window) {
    static TDescribeWhenListened describer;
    describer.Describe(window);
}
