// Every control of every window tells assistive technologies what it is: a walk over the
// accessibility tree finds no control without a name and a description, once one listens.

#include "ProgramFixture.h"
#include "viewer/FindDialog.h"
#include "viewer/InfoViewer.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QTimer>

#include <set>

namespace {

// Roles that hold no information of their own: layout, separators and the parts of scroll bars
// and spin boxes, which Qt names by their function.
bool IsControl(QAccessible::Role role) {
    static const std::set<QAccessible::Role> plain{
        QAccessible::Separator,  QAccessible::Client,    QAccessible::Pane,
        QAccessible::Grip,       QAccessible::Indicator, QAccessible::Cursor,
        QAccessible::Whitespace, QAccessible::Splitter,  QAccessible::Border};
    return !plain.contains(role);
}

// "where: what is missing" for every control without a name or a description.
void Walk(QAccessibleInterface* node, const QString& where, QStringList& unnamed, int depth = 0) {
    if (!node || !node->isValid() || depth > 40 || node->state().invisible)
        return;
    const QString name = node->text(QAccessible::Name).trimmed();
    const QString description = node->text(QAccessible::Description).trimmed();
    QObject* object = node->object();
    const QString id = object && !object->objectName().isEmpty()
                           ? object->objectName()
                           : (object ? QString::fromLatin1(object->metaObject()->className())
                                     : QStringLiteral("?"));
    const QString here = where + "/" + id + "(" + QString::number(node->role()) + ")";
    // A plain widget without parts is a control of its own (a chart, a colour square).
    if (IsControl(node->role()) ||
        (node->role() == QAccessible::Client && node->childCount() == 0)) {
        if (name.isEmpty())
            unnamed << here + ": no name";
        // Qt gives a menu's items their caption as the name and no description at all.
        if (description.isEmpty() && node->role() != QAccessible::MenuItem)
            unnamed << here + ": no description [" + name + "]";
    }
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), here, unnamed, depth + 1);
}

QStringList Unnamed(QWidget* window) {
    QStringList unnamed;
    Walk(QAccessible::queryAccessibleInterface(window), QString(), unnamed);
    return unnamed;
}

class AccessibilityTest : public TProgramFixture {};

} // namespace

TEST_F(AccessibilityTest, EveryControlOfEveryWindowHasANameAndADescription) {
    Start();
    // Described once an assistive technology listens, and from then on at once.
    EXPECT_EQ(Find<QWidget>("lbMZodiac")->accessibleDescription(), "");
    QAccessible::setActive(true);
    QStringList unnamed = Unnamed(form.get());
    Find<QAction>("actSettings")->trigger();
    unnamed << Unnamed(form->findChild<TSettingsForm*>());
    QTimer::singleShot(0, [&] {
        auto* viewer = qobject_cast<TInfoViewerForm*>(QApplication::activeModalWidget());
        ASSERT_NE(viewer, nullptr);
        unnamed << Unnamed(viewer);
        Child<QAction>(viewer, "actFind")->trigger();
        auto* findDialog = Child<QDialog>(viewer, "FindDialog");
        unnamed << Unnamed(findDialog);
        findDialog->close();
        viewer->close();
    });
    Find<QAction>("actHelp")->trigger();
    EXPECT_TRUE(unnamed.isEmpty()) << unnamed.size() << "\n" << unnamed.join('\n').toStdString();
}

// What the controls without text of their own say, in the built-in language and in another one
// chosen from the menu, and back: the pictures name the value beside them, the values the
// picture, the colour squares whose colour they set.
TEST_F(AccessibilityTest, ControlsSayWhatTheyShowInTheLanguageInUse) {
    QFile english(QStringLiteral(ORVANTA_LANGUAGE_DIR "/English.lng.ini"));
    ASSERT_TRUE(english.open(QIODevice::ReadOnly));
    WriteLanguage("English.lng.ini", english.readAll());
    Start();
    QAccessible::setActive(true);
    Find<QAction>("actSettings")->trigger();
    auto* settings = form->findChild<TSettingsForm*>();
    struct Row {
        const char* control;
        bool description; // or the name
        const char* russian;
        const char* english;
    };
    // One row per rule: a picture says its hint, a value the picture beside it within its box,
    // a control without text its hint or its kind, a button what it does (its hint) within its
    // box, a menu without a caption what it holds, a colour square what a click does.
    const Row rows[] = {
        {"imMZodiac", false, "Знак зодиака", "Zodiac sign"},
        {"lbMZodiac", true, "Мужчина: Знак зодиака", "Man: Zodiac sign"},
        {"lbWMinDay", true, "Женщина: Ближайший плохой день", "Woman: Nearest bad day"},
        {"dtpManDateDay", false, "Дата рождения мужчины", "Man's date of birth"},
        {"sbTodayDateDay", true, "Прогноз на дату: Установить текущую дату",
         "Forecast date: Set today's date"},
        {"pmMain", false, "Настройки, Справка, О программе", "Settings, Help, About Orvanta"},
        {"StatusBarMain", false, "Строка состояния", "Status bar"},
        {"pnColorMan", false, "Цвет мужского графика", "Colour of the man's curves"},
        {"pnColorMan", true, "Щелчок открывает выбор цвета", "A click opens the colour choice"},
    };
    const auto says = [&](const Row& row) {
        QWidget* control = form->findChild<QWidget*>(QLatin1String(row.control));
        if (!control)
            control = settings->findChild<QWidget*>(QLatin1String(row.control));
        if (!control)
            return QStringLiteral("(none)");
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(control);
        return node->text(row.description ? QAccessible::Description : QAccessible::Name);
    };
    for (const char* language : {"Русский", "English", "Русский"}) {
        SCOPED_TRACE(language);
        Choose(QString::fromUtf8(language));
        const bool russian = language[0] != 'E';
        for (const Row& row : rows)
            EXPECT_EQ(says(row).toStdString(), russian ? row.russian : row.english)
                << row.control << (row.description ? " description" : " name");
    }
}
