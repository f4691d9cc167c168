// The program started in each shipped language, every window and dialog opened and every text
// they show read: none may be in another language.

#include "ProgramFixture.h"
#include "main/ChartReadout.h"
#include "platform/LanguageFile.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <set>

namespace {

// A text on screen and where it was found.
struct TShown {
    QString where;
    QString text;
};

// Reads every text a window shows: its title, its visible widgets' texts, hints and headers,
// its menus' items and its documents. The file names of file dialogs are the user's and are
// left out; the "Language" menu names each language in its own tongue and is left out too.
class TTextWalk {
public:
    std::vector<TShown> shown;
    QStringList windows; // the names of the windows read, in turn

    void Window(QWidget* window) {
        windows << Name(window);
        Widget(window, Name(window));
        for (QWidget* child : window->findChildren<QWidget*>())
            if (child->isVisibleTo(window) || qobject_cast<QMenu*>(child))
                Widget(child, Name(window) + "/" + Name(child));
    }

    void Menu(QMenu* menu, const QString& where) {
        if (menu->objectName() == QLatin1String("miLanguage"))
            return;
        Add(where + " title", menu->title());
        for (QAction* action : menu->actions())
            if (action->menu() && action->isVisible())
                Menu(action->menu(), where + "/" + action->objectName());
            else if (action->isVisible() && !action->isSeparator())
                Texts(action, where + "/" + Name(action));
    }

    // Every cell of a view, for the views whose cells are the program's, not the user's.
    void Cells(QAbstractItemView* view, const QString& where) {
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row)
            for (int column = 0; column < model->columnCount(); ++column)
                Add(where + " cell", model->index(row, column).data().toString());
    }

private:
    static QString Name(QObject* object) {
        return object->objectName().isEmpty()
                   ? QString::fromLatin1(object->metaObject()->className())
                   : object->objectName();
    }

    void Add(const QString& where, const QString& text) {
        if (!text.trimmed().isEmpty())
            shown.push_back({where, text});
    }

    // The texts an object shows by its properties: a line edit's text is the user's.
    void Texts(QObject* object, const QString& where) {
        for (const char* property : {"windowTitle", "toolTip", "statusTip", "text", "title",
                                     "plainText", "placeholderText"})
            if (qstrcmp(property, "text") != 0 || !qobject_cast<QLineEdit*>(object))
                Add(where + " " + property, object->property(property).toString());
    }

    void Widget(QWidget* widget, const QString& where) {
        if (auto* menu = qobject_cast<QMenu*>(widget))
            return Menu(menu, where);
        Texts(widget, where);
        if (auto* bar = qobject_cast<QMenuBar*>(widget))
            for (QAction* action : bar->actions())
                if (action->menu() && action->isVisible())
                    Menu(action->menu(), where);
        if (auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                Add(where + " item", combo->itemText(i));
        auto* view = qobject_cast<QAbstractItemView*>(widget);
        if (auto* header = view ? view->findChild<QHeaderView*>() : nullptr;
            header && view->model() && header->isVisible())
            for (int i = 0; i < view->model()->columnCount(); ++i)
                if (!header->isSectionHidden(i))
                    Add(where + " header", view->model()->headerData(i, Qt::Horizontal).toString());
        if (widget->isWindow())
            for (QAction* action : widget->actions())
                if (action->isVisible() && !action->isSeparator() && !action->text().isEmpty())
                    Texts(action, where + "/" + Name(action));
    }
};

// Runs `check` on the next popup menu, which opens inside a call that returns once it closes.
void OnPopup(QObject* context, std::function<void(QMenu*)> check) {
    auto* timer = new QTimer(context);
    QObject::connect(timer, &QTimer::timeout, context, [timer, check = std::move(check)] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            timer->stop();
            timer->deleteLater();
            check(menu);
            menu->close();
        }
    });
    timer->start(10);
}

// Latin words a Russian window may show: file formats and the letters of the axes and the
// compatibility formula. File names, paths and the keys of shortcuts are not words here.
const std::set<QString> RussianLatinWords{"PNG", "PDF", "RTF", "HTML", "iCalendar",
                                          "X",   "Y",   "d",   "p",    "cos"};

// The letters a language writes its words in. Russian shows only a few Latin words; every other
// language may show Latin ones (command lines, formats) but no letter of a third script, and
// Ukrainian none of the letters only Russian has.
struct TScript {
    bool russian = false;
    QChar::Script own = QChar::Script_Latin;
    QString alien;
};

TScript ScriptOf(const QString& locale) {
    if (locale.isEmpty())
        return {true, QChar::Script_Cyrillic, {}};
    switch (QLocale(locale).script()) {
    case QLocale::CyrillicScript:
        return {false, QChar::Script_Cyrillic, QStringLiteral("ЁёЪъЫыЭэ")};
    case QLocale::SimplifiedHanScript:
        return {false, QChar::Script_Han, {}};
    default:
        return {};
    }
}

// The words of a text that break its language. File names and patterns ("report.rtf",
// "(*.png)") are the user's or the format's and are not words.
QStringList Foreign(const QString& text, const TScript& script) {
    static const QRegularExpression fileName(QStringLiteral("\\S*\\.(png|pdf|rtf|ini|ics)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    // A path, and the keys of a shortcut after the tab of a menu item: key names are printed on
    // the keys.
    static const QRegularExpression path(QStringLiteral("(^|\\s)/\\S*"));
    static const QRegularExpression shortcut(QStringLiteral("\\t.*$"));
    QString words = text;
    words.remove(QLatin1Char('&')).remove(fileName).remove(path).remove(shortcut);
    QStringList foreign;
    static const QRegularExpression word(QStringLiteral("\\w+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    for (auto it = word.globalMatch(words); it.hasNext();) {
        const QString w = it.next().captured();
        const bool alien = std::any_of(w.begin(), w.end(), [&](QChar ch) {
            const QChar::Script letters = ch.script();
            if (script.russian)
                return letters == QChar::Script_Latin && !RussianLatinWords.contains(w);
            // π is the formula's.
            return (ch.isLetter() && ch != u'π' && letters != QChar::Script_Latin &&
                    letters != script.own && letters != QChar::Script_Common &&
                    letters != QChar::Script_Inherited) ||
                   script.alien.contains(ch);
        });
        if (alien)
            foreign << w;
    }
    return foreign;
}

// Texts that do not fit the place the window gives them: a button, check box or label narrower
// than its text, a label running out of its parent, a group box caption wider than the box, a
// date field narrower than its date.
QStringList Clipped(QWidget* window) {
    QStringList clipped;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(window) || widget->window() != window)
            continue;
        const QString name = widget->objectName();
        const auto check = [&](int needed, int given, const QString& text) {
            if (needed > given)
                clipped << QStringLiteral("%1 \"%2\" needs %3 pixels, has %4")
                               .arg(name, text)
                               .arg(needed)
                               .arg(given);
        };
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if (button && !button->text().isEmpty()) {
            const int text = button->fontMetrics().horizontalAdvance(
                QString(button->text()).remove(QLatin1Char('&')));
            if (qobject_cast<QPushButton*>(button)) {
                // The margin and frame a style gives a push button's text.
                const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin) +
                                   2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
                check(text + margin, button->width(), button->text());
                continue;
            }
            // A check box or radio button: its text begins after the indicator.
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const auto contents = qobject_cast<QRadioButton*>(button)
                                      ? QStyle::SE_RadioButtonContents
                                      : QStyle::SE_CheckBoxContents;
            const int end =
                button->style()->subElementRect(contents, &option, button).left() + text;
            check(end, button->width(), button->text());
            // Nothing the window places to the right of the text's start stands over it: the
            // colour panels beside the radio items.
            const QRect needed(button->mapTo(window, QPoint()), QSize(end, button->height()));
            for (QWidget* other : window->findChildren<QWidget*>()) {
                const QRect place(other->mapTo(window, QPoint()), other->size());
                if (other->isVisibleTo(window) && other->window() == window &&
                    !other->isAncestorOf(button) && !qobject_cast<QGroupBox*>(other) &&
                    place.left() > needed.left() && place.intersects(needed))
                    clipped << QStringLiteral("%1 \"%2\" runs under %3")
                                   .arg(name, button->text(), other->objectName());
            }
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(widget);
            label && !label->wordWrap() && !label->text().isEmpty()) {
            check(label->sizeHint().width(), label->width(), label->text());
            if (QWidget* parent = label->parentWidget())
                check(label->geometry().right(), parent->contentsRect().right(), label->text());
        }
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            check(box->fontMetrics().horizontalAdvance(box->title()) + 12, box->width(),
                  box->title());
        if (auto* picker = qobject_cast<QDateEdit*>(widget))
            check(picker->fontMetrics().horizontalAdvance(picker->text()) + 24, picker->width(),
                  picker->text());
    }
    return clipped;
}

// A shipped language: its name as the menu shows it (none for the built-in Russian) and its
// locale.
struct TLanguageRow {
    QString name;
    QString locale;
};

void PrintTo(const TLanguageRow& row, std::ostream* out) {
    *out << row.name.toStdString();
}

std::vector<TLanguageRow> ShippedLanguages() {
    std::vector<TLanguageRow> rows{{}};
    const QDir folder(QStringLiteral(ORVANTA_LANGUAGE_DIR));
    for (const QString& file : folder.entryList({QStringLiteral("*.lng.ini")}, QDir::Files)) {
        QFile shipped(folder.filePath(file));
        const QByteArray bytes = shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : "";
        rows.push_back({file.chopped(8),
                        QString::fromStdString(LanguageProfile(bytes).Read("Main", "Locale", ""))});
    }
    return rows;
}

class EveryTextTest : public TProgramFixture, public ::testing::WithParamInterface<TLanguageRow> {
protected:
    void SetUp() override {
        TProgramFixture::SetUp();
        const QDir shipped(QStringLiteral(ORVANTA_LANGUAGE_DIR));
        for (const QString& name : shipped.entryList(
                 {QStringLiteral("*.lng.ini"), QStringLiteral("*.help.rtf")}, QDir::Files)) {
            QFile file(shipped.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
            WriteLanguage(name, file.readAll());
        }
        current = QDir::currentPath();
        QDir::setCurrent(folder);
    }
    void TearDown() override {
        QDir::setCurrent(current);
        TProgramFixture::TearDown();
    }

    // Opens every window and dialog of the program and reads what each shows.
    std::vector<TShown> WalkEverything() {
        TTextWalk walk;
        QWidget* main = form.get();
        walk.Window(main);

        // The date field's context menu and calendar.
        auto* picker = Find<QDateEdit>("dtpManDateDay");
        OnPopup(main, [&](QMenu* menu) { walk.Menu(menu, "date field's menu"); });
        QContextMenuEvent context(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                  picker->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(picker, &context);
        picker->calendarWidget()->show();
        walk.Window(picker->calendarWidget());
        for (auto* view : picker->calendarWidget()->findChildren<QAbstractItemView*>())
            walk.Cells(view, "calendar");
        picker->calendarWidget()->hide();

        const auto read = [&](QWidget* window) {
            walk.Window(window);
            window->close();
        };
        // The settings window, its slider's hint, its help box and the colour dialog.
        Find<QAction>("actSettings")->trigger();
        auto* settings = form->findChild<TSettingsForm*>();
        Child<QSlider>(settings, "tbAlphaBlend")->setValue(200);
        walk.Window(settings);
        clipped << Clipped(main) << Clipped(settings);
        Child<QToolButton>(settings, "spHelp")->click();
        for (auto* box : settings->findChildren<QMessageBox*>())
            read(box);
        OnModal(main, read);
        QTest::mouseClick(Child<QWidget>(settings, "pnColorWoman"), Qt::LeftButton);
        settings->close();

        // The help, its find dialog and its save dialog.
        OnModal(main, [&](QWidget* viewer) {
            walk.Window(viewer);
            Child<QAction>(viewer, "actFind")->trigger();
            auto* findDialog = Child<QDialog>(viewer, "FindDialog");
            clipped << Clipped(findDialog);
            read(findDialog);
            OnModal(viewer, read);
            Child<QAction>(viewer, "actSaveAs")->trigger();
            viewer->close();
        });
        Find<QAction>("actHelp")->trigger();

        // The detail reports, the About box, saving and printing the charts.
        for (const char* command :
             {"actManInfo", "actWomanInfo", "actAbout", "actSaveAs", "actPrint"}) {
            OnModal(main, read);
            Find<QAction>(command)->trigger();
        }

        // The chart read-out of a cycle's chart and of the average's, as plain text.
        for (int chart : {0, 4}) {
            QTest::mouseClick(form->Chart(chart), Qt::LeftButton, {}, QPoint(60, 40));
            if (!ChartReadout() || !ChartReadout()->isVisible()) {
                ADD_FAILURE() << "no read-out on chart " << chart;
                continue;
            }
            QTextDocument readout;
            readout.setHtml(ChartReadout()->text());
            walk.shown.push_back({"chart read-out", readout.toPlainText()});
            HideChartReadout();
        }

        // The calendar export: the months dialog, then its file dialog.
        OnModal(main, [&](QWidget* months) {
            walk.Window(months);
            clipped << Clipped(months);
            OnModal(main, read);
            static_cast<QDialog*>(months)->accept();
        });
        Find<QAction>("actExportCalendar")->trigger();

        // Saving the charts over a file that exists: the question, answered "no".
        Write(folder + QStringLiteral("charts.png"), QByteArray("old"));
        OnModal(main, [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr);
            files->setDirectory(folder);
            TypeFileName(files, QStringLiteral("charts.png"));
            OnModal(main, read);
            static_cast<QDialog*>(files)->accept();
        });
        Find<QAction>("actSaveAs")->trigger();
        // Every command opened its window: none was skipped or left for the next to read.
        EXPECT_EQ(walk.windows.join(' ').toStdString(),
                  "MainForm QCalendarWidget TSettingsForm QMessageBox ColorDialog1 InfoViewerForm "
                  "FindDialog SaveDialog InfoViewerForm InfoViewerForm QMessageBox SaveDialog "
                  "QPrintDialog dlgExportCalendar SaveDialog ReplaceQuestion");

        // An error message: the settings file cannot be written.
        QFile::remove(settingsPath);
        EXPECT_TRUE(QDir(folder).mkdir(QFileInfo(settingsPath).fileName()));
        EXPECT_FALSE(form->close());
        QDir(settingsPath).removeRecursively();
        for (const QString& error : errors)
            walk.shown.push_back({"error", error});
        errors.clear();
        return walk.shown;
    }

    QStringList clipped;

    // Checks that every text is in the language and that nothing was clipped.
    void ExpectAllIn(const std::vector<TShown>& shown, const TScript& script) {
        int foreign = 0;
        for (const TShown& text : shown) {
            const QStringList words = Foreign(text.text, script);
            if (!words.isEmpty() && ++foreign <= 40)
                ADD_FAILURE() << text.where.toStdString() << ": " << words.join(' ').toStdString()
                              << " in \"" << text.text.left(200).toStdString() << "\"";
        }
        EXPECT_EQ(foreign, 0);
        EXPECT_TRUE(clipped.isEmpty()) << clipped.join('\n').toStdString();
        clipped.clear();
    }

    QString current;
};

} // namespace

// Started in each language, and in Russian chosen after it: every text in its language, and after
// another the very texts Russian started with.
TEST_P(EveryTextTest, EachLanguageShowsOnlyItsOwnTexts) {
    const TLanguageRow& language = GetParam();
    const QByteArray name = language.name.toUtf8();
    std::vector<std::pair<QByteArray, QString>> starts{{"", ""}};
    if (!name.isEmpty())
        starts.insert(starts.end(), {{name, QStringLiteral("Русский")}, {name, QString()}});
    QStringList russian;
    for (const auto& [stored, chosen] : starts) {
        SCOPED_TRACE((stored + " " + chosen.toUtf8()).toStdString());
        Write(settingsPath, "[Settings]\nLanguage=" + stored + "\n");
        Start();
        if (!chosen.isEmpty())
            Choose(chosen);
        const std::vector<TShown> shown = WalkEverything();
        EXPECT_GT(shown.size(), 300u);
        ExpectAllIn(shown,
                    ScriptOf(stored.isEmpty() || !chosen.isEmpty() ? QString() : language.locale));
        QStringList lines;
        // The folders the file dialog remembers are the user's, not texts of a language.
        for (const TShown& text : shown)
            if (!text.where.contains(QLatin1String("lookInCombo")))
                lines << text.where + " " + text.text;
        if (stored.isEmpty())
            russian = lines;
        const auto [now, before] =
            std::mismatch(lines.begin(), lines.end(), russian.begin(), russian.end());
        EXPECT_TRUE(chosen.isEmpty() || (now == lines.end() && before == russian.end()))
            << (now == lines.end() ? QString() : *now).toStdString() << " instead of "
            << (before == russian.end() ? QString() : *before).toStdString();
        form.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, EveryTextTest, ::testing::ValuesIn(ShippedLanguages()),
                         [](const ::testing::TestParamInfo<TLanguageRow>& row) {
                             return row.param.locale.isEmpty() ? std::string("ru")
                                                               : row.param.locale.toStdString();
                         });
