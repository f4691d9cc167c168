#include "viewer/InfoViewer.h"
#include "tests/QtTestSupport.h"

#include "model/Error.h"
#include "viewer/FindDialog.h"
#include "viewer/RtfReader.h"
#include "viewer/RtfWriter.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolBar>

#include <sys/stat.h>

#include <optional>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A bold "Заголовок" over "Текст.", in code page 1251.
const QByteArray SampleRtf =
    "{\\rtf1\\ansi\\ansicpg1251{\\b \\'c7\\'e0\\'e3\\'ee\\'eb\\'ee\\'e2\\'ee\\'ea}\\par "
    "\\'d2\\'e5\\'ea\\'f1\\'f2.}";

// Answers the save question itself.
class TScriptedViewer : public TInfoViewerForm {
public:
    using TInfoViewerForm::TInfoViewerForm;
    QString answer;

protected:
    QString AskSaveFileName(const QString&) override { return answer; }
};

} // namespace

TEST(InfoViewer, CommandsMenusAndToolbar) {
    TInfoViewerForm viewer;
    const struct {
        const char *name, *caption;
        int picture;
        const char* shortcut;
    } commands[] = {
        {"actClose", "Закрыть", 6, "Alt+F4"},
        {"actFind", "Найти", 0, "Ctrl+F"},
        {"actSaveAs", "Сохранить как", 1, "Ctrl+S"},
        {"actWordWrap", "Перенос по словам", 2, "Ctrl+W"},
        {"actCopy", "Скопировать", 3, "Ctrl+C"},
        {"actSelectAll", "Выделить всё", -1, "Ctrl+A"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        const QAction* action = Child<QAction>(&viewer, command.name);
        ASSERT_NE(action, nullptr);
        for (const QString& text : {action->text(), action->toolTip(), action->statusTip()})
            EXPECT_EQ(text, command.caption);
        EXPECT_EQ(action->shortcut(), QKeySequence(command.shortcut));
        EXPECT_EQ(action->icon().isNull(), command.picture < 0);
        if (command.picture >= 0) {
            EXPECT_EQ(action->icon().pixmap(16).toImage(),
                      ImageList1().Icon(command.picture).pixmap(16).toImage());
        }
    }
    const QAction* actWordWrap = Child<QAction>(&viewer, "actWordWrap");
    EXPECT_TRUE(actWordWrap->isCheckable() && actWordWrap->isChecked());

    QStringList menus;
    for (const QAction* menu : Child<QMenuBar>(&viewer, "MainMenu1")->actions()) {
        menus << menu->text() + ":";
        for (const QAction* item : menu->menu()->actions())
            menus.back() += " " + item->objectName();
    }
    EXPECT_EQ(menus, QStringList({"&Файл: actClose",
                                  "&Правка: actCopy actSelectAll  actFind actWordWrap"}));
    auto* ToolBar1 = Child<QToolBar>(&viewer, "ToolBar1");
    EXPECT_EQ(ToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QStringList buttons;
    for (QAction* action : ToolBar1->actions())
        buttons << ToolBar1->widgetForAction(action)->objectName();
    EXPECT_EQ(buttons, QStringList({"tbFind", "tbSaveAs", "tbSep1", "tbWordWrap", "tbCopy"}));
    EXPECT_EQ(Child<QWidget>(&viewer, "tbSep1")->width(), 8);
}

// Centred over its owner, the text below the toolbar; the commands from menu, key and button,
// their hints in the owner's status bar; the find dialog beside the text, opened again only moved.
TEST(InfoViewer, OpensCentredOverItsOwnerWithTheFindDialogBesideTheText) {
    QMainWindow owner;
    owner.statusBar();
    owner.setGeometry(300, 200, 900, 700);
    owner.show();
    TInfoViewerForm viewer(&owner);
    auto* ToolBar1 = Child<QToolBar>(&viewer, "ToolBar1");
    auto* reInfo = Child<QTextEdit>(&viewer, "reInfo");
    auto* actWordWrap = Child<QAction>(&viewer, "actWordWrap");
    reInfo->setPlainText("Первая строка\nВторая строка");
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    EXPECT_EQ(viewer.frameGeometry().size(), QSize(500, 500));
    EXPECT_EQ(viewer.frameGeometry().center(), owner.frameGeometry().center());
    EXPECT_EQ(viewer.font(), WindowFont());
    // The toolbar, 29 high, starts the client area below the menu; the text fills the rest.
    EXPECT_EQ(ToolBar1->y(), Child<QMenuBar>(&viewer, "MainMenu1")->geometry().bottom() + 1);
    EXPECT_EQ(reInfo->y() - ToolBar1->y(), 29);
    EXPECT_EQ(reInfo->geometry().bottomRight(), viewer.rect().bottomRight());

    // The check mark flips first and wrapping follows it, from menu, key and button alike.
    reInfo->setFocus();
    actWordWrap->trigger();
    EXPECT_EQ(reInfo->lineWrapMode(), QTextEdit::NoWrap);
    QTest::keyClick(reInfo, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(reInfo->lineWrapMode(), QTextEdit::WidgetWidth);
    QTest::mouseClick(Child<QWidget>(&viewer, "tbWordWrap"), Qt::LeftButton);
    EXPECT_FALSE(actWordWrap->isChecked());
    EXPECT_EQ(reInfo->lineWrapMode(), QTextEdit::NoWrap);

    Child<QAction>(&viewer, "actSelectAll")->trigger();
    QTest::mouseClick(Child<QWidget>(&viewer, "tbCopy"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Первая строка\nВторая строка");
    // Esc would throw the reader's edits away; it does not close.
    QTest::keyClick(reInfo, Qt::Key_Escape);
    EXPECT_TRUE(viewer.isVisible());
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(Child<QWidget>(&viewer, "tbSaveAs"), &enter);
    EXPECT_EQ(owner.statusBar()->currentMessage(), "Сохранить как");

    TFindDialog& dialog = *Child<TFindDialog>(&viewer, "FindDialog");
    EXPECT_TRUE(dialog.Down() && !dialog.WholeWord() && !dialog.MatchCase());
    EXPECT_FALSE(Child<QPushButton>(&dialog, "btFindNext")->isEnabled()); // nothing to find yet
    for (int opening = 0; opening < 2; ++opening) {
        QTest::keyClick(reInfo, Qt::Key_F, Qt::ControlModifier);
        // x is the text area's right edge in the viewer's own coordinates; y is on screen.
        EXPECT_EQ(dialog.frameGeometry().topLeft(),
                  QPoint(reInfo->width(), viewer.frameGeometry().top() + 29));
        EXPECT_TRUE(dialog.isVisible() && !dialog.isModal());
        Child<QLineEdit>(&dialog, "edFindText")->setText("бета");
        viewer.move(viewer.pos() + QPoint(40, 60));
        viewer.activateWindow();
    }
    EXPECT_EQ(dialog.FindText(), "бета");
    Child<QAction>(&viewer, "actClose")->trigger();
    EXPECT_FALSE(viewer.isVisible());
}

TEST(InfoViewer, FindNextSearchesForwardFromAfterTheSelectionOrFromTheStart) {
    TInfoViewerForm viewer;
    auto* reInfo = Child<QTextEdit>(&viewer, "reInfo");
    reInfo->setPlainText("Альфа бета АЛЬФА альфабет\nгамма альфа бета");
    QTextCursor caret(reInfo->document());
    caret.setPosition(13);
    const struct {
        bool fromCaret; // the caret put back first, nothing selected
        const char* text;
        const char* options; // w whole word, c match case, u upward
        int at;              // where the selection starts after the search
        const char* selected;
    } steps[] = {
        // From the beginning, though the caret stands further on; then just after each hit, any
        // letter case, inside words too; after the last, or with nothing found, no change.
        {true, "альфа", "", 0, "Альфа"},
        {false, "альфа", "", 11, "АЛЬФА"},
        {false, "альфа", "", 17, "альфа"},
        {false, "альфа", "", 32, "альфа"},
        {false, "альфа", "", 32, "альфа"},
        {false, "омега", "", 32, "альфа"},
        // Match case, whole word, both.
        {true, "альфа", "c", 17, "альфа"},
        {true, "альфа", "w", 0, "Альфа"},
        {false, "альфа", "w", 11, "АЛЬФА"},
        {false, "альфа", "w", 32, "альфа"},
        {true, "альфа", "wc", 32, "альфа"},
        // Upward still goes forward; nothing found and nothing selected, the caret stays.
        {false, "бета", "u", 38, "бета"},
        {true, "омега", "", 13, ""},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << &step - steps);
        if (step.fromCaret)
            reInfo->setTextCursor(caret);
        const auto* dialog = Child<TFindDialog>(&viewer, "FindDialog");
        Child<QLineEdit>(dialog, "edFindText")->setText(step.text);
        const QByteArray options(step.options);
        Child<QCheckBox>(dialog, "chkWholeWord")->setChecked(options.contains('w'));
        Child<QCheckBox>(dialog, "chkMatchCase")->setChecked(options.contains('c'));
        Child<QRadioButton>(dialog, options.contains('u') ? "rbUp" : "rbDown")->setChecked(true);
        Child<QPushButton>(dialog, "btFindNext")->click();
        EXPECT_EQ(reInfo->textCursor().selectionStart(), step.at);
        EXPECT_EQ(reInfo->textCursor().selectedText(), step.selected);
        EXPECT_EQ(reInfo->textCursor().position(), step.at + QString(step.selected).size());
    }
    EXPECT_EQ(viewer.focusWidget(), reInfo);
}

// "Сохранить как" proposes the caption in the save dialog, adds ".rtf" to a name without a type
// and writes the text as shown, typing included, as RTF. Over an existing file it asks first, in
// Russian, "Нет" being the default: declined (or Esc), the file stays byte for byte and nothing
// is written beside it; accepted, it becomes the RTF document.
TEST(InfoViewer, AsksBeforeReplacingAFile) {
    const struct {
        const char* file;
        std::optional<QByteArray> existing;
        const char* answer;
        bool replaced;
    } rows[] = {
        {"новый.rtf", std::nullopt, "", true},
        {"notes.txt", QByteArray("my own notes\r\n\0\xff", 16), "Нет", false},
        {"notes.txt", "my own notes", "Да", true},
        {"Справка.rtf", "{\\rtf1 an older help}", "Esc", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        QTemporaryDir folder;
        const QString path = folder.filePath(row.file);
        if (row.existing)
            WriteFile(path, *row.existing);
        TInfoViewerForm viewer;
        viewer.setWindowTitle("Справка");
        auto* reInfo = Child<QTextEdit>(&viewer, "reInfo");
        viewer.LoadDocument(SampleRtf);
        reInfo->moveCursor(QTextCursor::End);
        for (const QChar ch : QString(" И ещё.")) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(reInfo, &key);
        }
        ASSERT_EQ(reInfo->toPlainText(), "Заголовок\nТекст. И ещё.");
        viewer.show();
        QString proposed;
        TBoxSeen question;
        OnModal(&viewer, [&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            // Qt's own question would stand in the way of the program's.
            if (!dialog || !dialog->testOption(QFileDialog::DontConfirmOverwrite)) {
                ADD_FAILURE() << "no save dialog that leaves the question to the program";
                modal->close();
                return;
            }
            EXPECT_EQ(dialog->nameFilters(), QStringList{"Текст в формате RTF (*.rtf)"});
            EXPECT_EQ(dialog->defaultSuffix(), "rtf");
            proposed = Child<QLineEdit>(dialog, "fileNameEdit")->text();
            dialog->setDirectory(folder.path());
            TypeFileName(dialog, QString(row.file).remove(".rtf"));
            AnswerNextBox(&viewer, row.answer, question);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
        });
        Child<QAction>(&viewer, "actSaveAs")->trigger();
        EXPECT_EQ(proposed, "Справка");

        EXPECT_EQ(question.shown, row.existing.has_value());
        if (row.existing) {
            EXPECT_EQ(question.text,
                      QString("Файл «%1» уже существует. Заменить его?").arg(row.file));
            EXPECT_EQ(question.buttons, QStringList({"Да", "Нет"}));
            EXPECT_EQ(question.defaultButton, "Нет");
        }
        QFile saved(path);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        if (row.replaced) {
            QTextDocument back;
            ReadRtf(bytes, back);
            EXPECT_TRUE(bytes.startsWith("{\\rtf1"));
            EXPECT_EQ(back.toPlainText(), reInfo->toPlainText());
        } else {
            EXPECT_EQ(bytes, *row.existing);
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{row.file});
    }
}

// Wrapping at word boundaries looks ahead to a word's end for each line the word fills; past 10^8
// letters squared in all (one word of 10,000 letters) the viewer wraps anywhere, without looking
// ahead. Either way a word wider than the viewer is broken into lines, and nothing is added to
// the text: it is shown and saved as it was.
TEST(InfoViewer, OverLongWordsWrapWithTheirTextUnchanged) {
    const struct {
        int words, letters;
        bool anywhere;
    } rows[] = {{2, 5, false},    {1, 10000, false}, {100, 1000, false},
                {1, 10001, true}, {2, 7072, true},   {1, 1000000, true}};
    for (const auto& [words, letters, anywhere] : rows) {
        SCOPED_TRACE(letters);
        const QString text = QStringList(words, QString(letters, u'w')).join(u' ');
        TInfoViewerForm viewer;
        QTextDocument* document = Child<QTextEdit>(&viewer, "reInfo")->document();
        const auto lines = [document] { return document->firstBlock().layout()->lineCount(); };
        viewer.LoadDocument("{\\rtf1\\ansi " + text.toLatin1());
        ASSERT_EQ(document->defaultTextOption().wrapMode() == QTextOption::WrapAnywhere, anywhere);
        viewer.show();
        const int wrapped = lines();
        EXPECT_EQ(wrapped > 1, text.size() > 100);
        // Wrapping off and on again, never laid out in between at the zero width of no wrapping,
        // a letter a line.
        QSignalSpy sizes(document->documentLayout(),
                         &QAbstractTextDocumentLayout::documentSizeChanged);
        for (const int expected : {1, wrapped}) {
            Child<QAction>(&viewer, "actWordWrap")->trigger();
            EXPECT_EQ(lines(), expected);
        }
        for (const QList<QVariant>& size : sizes)
            EXPECT_LE(size[0].toSizeF().height(), document->size().height());
        QTextDocument back;
        ReadRtf(WriteRtf(*document), back);
        EXPECT_EQ(QStringList({document->toPlainText(), back.toPlainText()}), QStringList(2, text));
    }
}

TEST(InfoViewer, FailedSaveNamesTheFullFileAndKeepsTheText) {
    QTemporaryDir folder;
    WriteFile(folder.filePath("plain"), "keep");
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.rtf"));
    const QString pipe = folder.filePath("pipe.rtf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TScriptedViewer viewer;
    auto* reInfo = Child<QTextEdit>(&viewer, "reInfo");
    reInfo->setPlainText("Текст читателя");
    viewer.show();

    // Root cannot write below a regular file, nor over a folder; a pipe is no file to replace.
    // The system's reason follows the name, and the box adds the full stop.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const QString& target : {QString("plain/x.rtf"), folder.filePath("folder.rtf"), pipe}) {
        const QString full = QDir(folder.path()).absoluteFilePath(target);
        const QString start = "Не могу создать файл \"" + full + "\". ";
        QString shown;
        OnModal(&viewer, [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            shown = box && box->icon() == QMessageBox::Critical ? box->text() : "";
            modal->close();
        });
        viewer.answer = target;
        Child<QAction>(&viewer, "actSaveAs")->trigger();
        EXPECT_TRUE(shown.startsWith(start) && shown.endsWith('.') &&
                    shown.size() > start.size() + 1)
            << shown.toStdString();
    }
    QDir::setCurrent(current);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(reInfo->toPlainText(), "Текст читателя");
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    EXPECT_EQ(plain.readAll(), "keep");
    EXPECT_TRUE(QFileInfo::exists(pipe) && !QFileInfo(pipe).isFile()); // still the pipe
}

TEST(ShowInfoViewer, MissingDocumentFailsBeforeAnyWindow) {
    struct : QWidget {
        int children = 0;
        void childEvent(QChildEvent* event) override { children += event->added(); }
    } owner;
    for (const char* name : {"INFO_WOMAN", "help"}) {
        try {
            ShowInfoViewer(&owner, "Подробная информация о женщине", name);
            ADD_FAILURE() << "no error for " << name;
        } catch (const EProgramError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()), QString("Ресурс %1 не найден").arg(name));
        }
    }
    EXPECT_EQ(owner.children, 0); // not even made and destroyed again
}

TEST(ShowInfoViewer, HelpOpensModallyWithWordWrapOnEveryTime) {
    QWidget owner;
    owner.show();
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<TInfoViewerForm> viewer;
        OnModal(&owner, [&](QWidget* modal) {
            viewer = qobject_cast<TInfoViewerForm*>(modal);
            if (!viewer) {
                modal->close();
                return;
            }
            const auto* reInfo = Child<QTextEdit>(viewer, "reInfo");
            auto* actWordWrap = Child<QAction>(viewer, "actWordWrap");
            EXPECT_EQ(viewer->parentWidget(), &owner);
            EXPECT_EQ(viewer->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(reInfo->lineWrapMode(), QTextEdit::WidgetWidth);
            EXPECT_TRUE(actWordWrap->isChecked());
            actWordWrap->trigger(); // left off: the next opening turns it on again
            Child<QAction>(viewer, "actClose")->trigger();
        });
        ShowInfoViewer(&owner, "Справка", "HELP");
        EXPECT_TRUE(owner.findChildren<TInfoViewerForm*>().isEmpty());
    }
}
