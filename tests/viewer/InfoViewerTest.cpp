#include "viewer/InfoViewer.h"
#include "tests/QtTestSupport.h"
#include "tests/TestSupport.h"

#include "model/Error.h"
#include "viewer/FindDialog.h"
#include "viewer/RtfReader.h"
#include "widgets/Fonts.h"
#include "widgets/ImageList.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEnterEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <optional>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A bold centred "Заголовок" over "Первая строка текста.", in code page 1251.
const QByteArray SampleRtf =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Tahoma;}}"
    "{\\colortbl ;\\red128\\green0\\blue0;}"
    "\\pard\\qc\\cf1\\b\\f0\\fs20 \\'c7\\'e0\\'e3\\'ee\\'eb\\'ee\\'e2\\'ee\\'ea\\b0\\par"
    "\\pard\\cf0 \\'cf\\'e5\\'f0\\'e2\\'e0\\'ff \\'f1\\'f2\\'f0\\'ee\\'ea\\'e0 "
    "\\'f2\\'e5\\'ea\\'f1\\'f2\\'e0.\\par}";

// Answers the save question itself.
class TScriptedViewer : public TInfoViewerForm {
public:
    using TInfoViewerForm::TInfoViewerForm;
    QString answer, proposed;

protected:
    QString AskSaveFileName(const QString& name) override {
        proposed = name;
        return answer;
    }
};

std::pair<int, QString> FindNext(TInfoViewerForm& viewer, const QString& text,
                                 bool wholeWord = false, bool matchCase = false, bool up = false) {
    TFindDialog& dialog = *viewer.FindDialog;
    dialog.edFindText->setText(text);
    dialog.chkWholeWord->setChecked(wholeWord);
    dialog.chkMatchCase->setChecked(matchCase);
    (up ? dialog.rbUp : dialog.rbDown)->setChecked(true);
    dialog.btFindNext->click();
    const QTextCursor cursor = viewer.reInfo->textCursor();
    return {cursor.selectionStart(), cursor.selectedText()};
}

QStringList Names(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions)
        names << action->objectName();
    return names;
}

QImage Picture(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(InfoViewer, CommandsMenusAndToolbar) {
    TInfoViewerForm viewer;
    const struct {
        QAction* action;
        const char *name, *caption;
        int picture;
        const char* shortcut;
    } commands[] = {
        {viewer.actClose, "actClose", "Закрыть", 6, "Alt+F4"},
        {viewer.actFind, "actFind", "Найти", 0, "Ctrl+F"},
        {viewer.actSaveAs, "actSaveAs", "Сохранить как", 1, "Ctrl+S"},
        {viewer.actWordWrap, "actWordWrap", "Перенос по словам", 2, "Ctrl+W"},
        {viewer.actCopy, "actCopy", "Скопировать", 3, "Ctrl+C"},
        {viewer.actSelectAll, "actSelectAll", "Выделить всё", -1, "Ctrl+A"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.name);
        EXPECT_EQ(viewer.findChild<QAction*>(command.name), command.action);
        for (const QString& text :
             {command.action->text(), command.action->toolTip(), command.action->statusTip()})
            EXPECT_EQ(text, command.caption);
        EXPECT_EQ(command.action->shortcut(), QKeySequence(command.shortcut));
        EXPECT_EQ(command.action->icon().isNull(), command.picture < 0);
        if (command.picture >= 0) {
            EXPECT_EQ(Picture(command.action->icon()), Picture(ImageList1().Icon(command.picture)));
        }
    }
    EXPECT_TRUE(viewer.actWordWrap->isCheckable() && viewer.actWordWrap->isChecked());

    const QList<QAction*> menus = viewer.MainMenu1->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), "&Файл");
    EXPECT_EQ(Names(menus[0]->menu()->actions()), QStringList{"actClose"});
    EXPECT_EQ(menus[1]->text(), "&Правка");
    EXPECT_EQ(Names(menus[1]->menu()->actions()),
              QStringList({"actCopy", "actSelectAll", "", "actFind", "actWordWrap"}));

    EXPECT_EQ(viewer.ToolBar1->toolButtonStyle(), Qt::ToolButtonIconOnly);
    QStringList buttons;
    for (QAction* action : viewer.ToolBar1->actions())
        buttons << viewer.ToolBar1->widgetForAction(action)->objectName();
    EXPECT_EQ(buttons, QStringList({"tbFind", "tbSaveAs", "tbSep1", "tbWordWrap", "tbCopy"}));
    EXPECT_EQ(viewer.tbSep1->width(), 8);
}

TEST(InfoViewer, OpensCentredOverItsOwnerWithTheFindDialogBesideTheText) {
    QWidget owner;
    owner.setGeometry(300, 200, 900, 700);
    owner.show();
    TInfoViewerForm viewer(&owner);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    EXPECT_EQ(viewer.frameGeometry().size(), QSize(500, 500));
    EXPECT_EQ(viewer.frameGeometry().center(), owner.frameGeometry().center());
    EXPECT_EQ(viewer.font(), WindowFont());
    // The toolbar, 29 high, starts the client area below the menu; the text fills the rest.
    EXPECT_EQ(viewer.ToolBar1->y(), viewer.MainMenu1->geometry().bottom() + 1);
    EXPECT_EQ(viewer.reInfo->y() - viewer.ToolBar1->y(), 29);
    EXPECT_EQ(viewer.reInfo->geometry().bottomRight(), viewer.rect().bottomRight());

    TFindDialog& dialog = *viewer.FindDialog;
    EXPECT_TRUE(dialog.Down() && !dialog.WholeWord() && !dialog.MatchCase());
    EXPECT_FALSE(dialog.btFindNext->isEnabled()); // nothing to find yet
    for (int opening = 0; opening < 2; ++opening) {
        viewer.actFind->trigger();
        // x is the text area's right edge in the viewer's own coordinates; y is on screen.
        EXPECT_EQ(dialog.frameGeometry().topLeft(),
                  QPoint(viewer.reInfo->width(), viewer.frameGeometry().top() + 29));
        EXPECT_TRUE(dialog.isVisible() && !dialog.isModal());
        // Opened again after the viewer moved: the same dialog, only moved.
        dialog.edFindText->setText("бета");
        viewer.move(viewer.pos() + QPoint(40, 60));
    }
    EXPECT_EQ(dialog.FindText(), "бета");
}

TEST(InfoViewer, FindNextSearchesForwardFromAfterTheSelectionOrFromTheStart) {
    TInfoViewerForm viewer;
    const QString text = "Альфа бета АЛЬФА альфабет\nгамма альфа бета";
    viewer.reInfo->setPlainText(text);
    const int second = text.indexOf("АЛЬФА"), inWord = text.indexOf("альфабет");
    const int last = text.lastIndexOf("альфа"), lastBeta = text.lastIndexOf("бета");
    using Hit = std::pair<int, QString>;

    // No selection: from the beginning, though the caret stands further on.
    QTextCursor caret(viewer.reInfo->document());
    caret.setPosition(second + 2);
    viewer.reInfo->setTextCursor(caret);
    EXPECT_EQ(FindNext(viewer, "альфа"), Hit(0, "Альфа"));
    EXPECT_EQ(viewer.focusWidget(), viewer.reInfo);
    // Then just after each hit, any letter case, inside words too; after the last, no change.
    EXPECT_EQ(FindNext(viewer, "альфа"), Hit(second, "АЛЬФА"));
    EXPECT_EQ(FindNext(viewer, "альфа"), Hit(inWord, "альфа"));
    EXPECT_EQ(FindNext(viewer, "альфа"), Hit(last, "альфа"));
    EXPECT_EQ(FindNext(viewer, "альфа"), Hit(last, "альфа"));
    EXPECT_EQ(FindNext(viewer, "омега"), Hit(last, "альфа"));

    viewer.reInfo->setTextCursor(caret);
    EXPECT_EQ(FindNext(viewer, "альфа", false, true), Hit(inWord, "альфа"));
    viewer.reInfo->setTextCursor(caret);
    EXPECT_EQ(FindNext(viewer, "альфа", true), Hit(0, "Альфа"));
    EXPECT_EQ(FindNext(viewer, "альфа", true), Hit(second, "АЛЬФА"));
    EXPECT_EQ(FindNext(viewer, "альфа", true), Hit(last, "альфа"));
    viewer.reInfo->setTextCursor(caret);
    EXPECT_EQ(FindNext(viewer, "альфа", true, true), Hit(last, "альфа"));
    // "Вверх" still goes forward.
    EXPECT_EQ(FindNext(viewer, "бета", false, false, true), Hit(lastBeta, "бета"));

    // Nothing found and nothing selected: the caret stays too.
    viewer.reInfo->setTextCursor(caret);
    FindNext(viewer, "омега");
    EXPECT_EQ(viewer.reInfo->textCursor(), caret);
}

TEST(InfoViewer, SavesTheEditedTextAsRtf) {
    QTemporaryDir folder;
    TScriptedViewer viewer;
    viewer.setWindowTitle("Справка");
    viewer.LoadDocument(SampleRtf);
    ASSERT_TRUE(viewer.reInfo->toPlainText().startsWith("Заголовок\nПервая строка текста."));
    EXPECT_FALSE(viewer.reInfo->document()->isUndoAvailable());
    QTextCursor typing(viewer.reInfo->document()->findBlockByNumber(1));
    typing.movePosition(QTextCursor::EndOfBlock);
    viewer.reInfo->setTextCursor(typing);
    for (const QChar ch : QString(" И ещё.")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(viewer.reInfo, &key);
    }
    const QString shown = viewer.reInfo->toPlainText();
    ASSERT_TRUE(shown.contains("текста. И ещё."));

    // An existing file is replaced once the user agrees, and no temporary file is left.
    const QString path = folder.filePath("Справка.rtf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(QByteArray(20000, 'x')) > 0);
    file.close();
    viewer.answer = path;
    TBoxSeen question;
    AnswerNextBox(&viewer, "Да", question);
    viewer.actSaveAs->trigger();
    EXPECT_TRUE(question.shown);
    EXPECT_EQ(viewer.proposed, "Справка");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QTextDocument back;
    ReadRtf(file.readAll(), back);
    EXPECT_EQ(back.toPlainText(), shown);
    EXPECT_EQ(back.firstBlock().begin().fragment().charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(back.firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Справка.rtf"});
}

// "Сохранить как" over an existing file asks first, in Russian, "Нет" being the default: declined
// (or Esc), the file stays byte for byte and nothing is written beside it; accepted, it becomes
// the RTF document.
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
        TScriptedViewer viewer;
        viewer.LoadDocument(SampleRtf);
        viewer.answer = path;
        TBoxSeen question;
        AnswerNextBox(&viewer, row.answer, question);
        viewer.actSaveAs->trigger();

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
            EXPECT_EQ(back.toPlainText(), viewer.reInfo->toPlainText());
        } else {
            EXPECT_EQ(bytes, *row.existing);
        }
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{row.file});
    }
}

TEST(InfoViewer, FailedSaveNamesTheFullFileAndKeepsTheText) {
    QTemporaryDir folder;
    QFile plain(folder.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly) && plain.write("keep") == 4);
    plain.close();
    ASSERT_TRUE(QDir(folder.path()).mkdir("folder.rtf"));
    const QString pipe = folder.filePath("pipe.rtf");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TScriptedViewer viewer;
    viewer.reInfo->setPlainText("Текст читателя");
    viewer.show();

    // Root cannot write below a regular file, nor over a folder; a pipe is no file to replace.
    // The box adds the full stop.
    const QString current = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    for (const QString& target : {QString("plain/x.rtf"), folder.filePath("folder.rtf"), pipe}) {
        const QString full = QDir(folder.path()).absoluteFilePath(target);
        const QString start = "Не могу создать файл \"" + full + "\". ";
        try {
            viewer.SaveDocument(target);
            ADD_FAILURE() << "saved " << target.toStdString();
        } catch (const EProgramError& error) {
            const QString message = QString::fromUtf8(error.what());
            EXPECT_TRUE(message.startsWith(start) && message.size() > start.size())
                << message.toStdString();
        }
        QString shown;
        OnModal(&viewer, [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            shown = box && box->icon() == QMessageBox::Critical ? box->text() : "";
            modal->close();
        });
        viewer.answer = target;
        viewer.actSaveAs->trigger();
        EXPECT_TRUE(shown.startsWith(start) && shown.endsWith('.')) << shown.toStdString();
    }
    QDir::setCurrent(current);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.reInfo->toPlainText(), "Текст читателя");
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    EXPECT_EQ(plain.readAll(), "keep");
    struct stat status {};
    EXPECT_TRUE(stat(QFile::encodeName(pipe).constData(), &status) == 0 &&
                S_ISFIFO(status.st_mode));
}

TEST(InfoViewer, SaveDialogProposesTheCaptionAsAnRtfFile) {
    QTemporaryDir folder;
    TInfoViewerForm viewer;
    viewer.setWindowTitle("Справка");
    viewer.LoadDocument(SampleRtf);
    viewer.show();
    QString proposed;
    OnModal(&viewer, [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        EXPECT_EQ(dialog->nameFilters(), QStringList{"Текст в формате RTF (*.rtf)"});
        EXPECT_EQ(dialog->defaultSuffix(), "rtf");
        EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        if (auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit"))
            proposed = edit->text();
        dialog->setDirectory(folder.path());
        dialog->selectFile("Справка");
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
    });
    viewer.actSaveAs->trigger();
    EXPECT_EQ(proposed, "Справка");
    QFile saved(folder.filePath("Справка.rtf"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("{\\rtf"));
}

TEST(InfoViewer, WordWrapCopySelectAllKeysAndHints) {
    QMainWindow owner;
    owner.statusBar();
    owner.show();
    TInfoViewerForm viewer(&owner);
    viewer.reInfo->setPlainText("Первая строка\nВторая строка");
    viewer.show();
    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    viewer.reInfo->setFocus();

    // The check mark flips first and wrapping follows it, from menu, key and button alike.
    viewer.actWordWrap->trigger();
    EXPECT_EQ(viewer.reInfo->lineWrapMode(), QTextEdit::NoWrap);
    QTest::keyClick(viewer.reInfo, Qt::Key_W, Qt::ControlModifier);
    EXPECT_EQ(viewer.reInfo->lineWrapMode(), QTextEdit::WidgetWidth);
    QTest::mouseClick(viewer.tbWordWrap, Qt::LeftButton);
    EXPECT_FALSE(viewer.actWordWrap->isChecked());
    EXPECT_EQ(viewer.reInfo->lineWrapMode(), QTextEdit::NoWrap);

    viewer.actSelectAll->trigger();
    QTest::mouseClick(viewer.tbCopy, Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Первая строка\nВторая строка");

    QTest::keyClick(viewer.reInfo, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(viewer.FindDialog->isVisible());
    viewer.FindDialog->close();
    // Esc would throw the reader's edits away; it does not close.
    QTest::keyClick(viewer.reInfo, Qt::Key_Escape);
    EXPECT_TRUE(viewer.isVisible());

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(viewer.tbSaveAs, &enter);
    EXPECT_EQ(owner.statusBar()->currentMessage(), "Сохранить как");
    viewer.actClose->trigger();
    EXPECT_FALSE(viewer.isVisible());
}

TEST(ShowInfoViewer, MissingDocumentFailsBeforeAnyWindow) {
    struct : QWidget {
        int children = 0;
        void childEvent(QChildEvent* event) override { children += event->added(); }
    } owner;
    for (const char* name : {"INFO_WOMAN", "help", ""}) {
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
            EXPECT_EQ(viewer->windowTitle(), "Справка");
            EXPECT_TRUE(viewer->reInfo->toPlainText().contains("Краткая информация"));
            EXPECT_EQ(viewer->parentWidget(), &owner);
            EXPECT_EQ(viewer->windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(viewer->reInfo->lineWrapMode(), QTextEdit::WidgetWidth);
            EXPECT_TRUE(viewer->actWordWrap->isChecked());
            viewer->actWordWrap->trigger(); // left off: the next opening turns it on again
            viewer->actClose->trigger();
        });
        ShowInfoViewer(&owner, "Справка", "HELP");
        EXPECT_TRUE(owner.findChildren<TInfoViewerForm*>().isEmpty());
    }
}
