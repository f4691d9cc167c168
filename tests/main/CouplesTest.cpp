#include "platform/Couples.h"
#include "ProgramFixture.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QTest>

namespace {

class CouplesTest : public TProgramFixture {
protected:
    QDateEdit* Picker(const char* name) const { return Find<QDateEdit>(name); }

    // A command's shortcut, pressed in the active window.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QApplication::setActiveWindow(form.get());
        QTest::keyClick(form.get(), key, modifiers);
    }

    // Another running program saves a couple, as its own dialog would.
    void SaveFromAnotherProgram(const std::string& name, TDateTime man, TDateTime woman) {
        ASSERT_EQ(ChangeStoredCouples(settingsPath,
                                      [&](TProfileFile& file, const TCoupleReading& reading) {
                                          return SaveCouple(file, reading, {name, man, woman});
                                      }),
                  TCoupleChange::Done);
    }

    // Answers the name dialog of the next command, and the question after it if one comes.
    void AnswerName(const QString& name, const char* question = nullptr) {
        OnModal(form.get(), [this, name, question](QWidget* dialog) {
            Child<QLineEdit>(dialog, "edCoupleName")->setText(name);
            if (question)
                OnModal(form.get(), [question](QWidget* box) {
                    EXPECT_EQ(box->objectName(), question);
                    for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                        if (button->text() == QStringLiteral("Да"))
                            button->click();
                });
            Child<QPushButton>(dialog, "btOK")->click();
        });
    }

    // What the list of couples shows, in its order, and the one it offers to choose.
    static QStringList Shown(QWidget* dialog) {
        QStringList names;
        auto* list = Child<QTreeWidget>(dialog, "lvCouples");
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (!list->topLevelItem(i)->isHidden())
                names << list->topLevelItem(i)->text(0);
        return names;
    }
};

const QByteArray Mine = "; my own notes\n[Settings]\nlbManDateDay=01.02.1970\nLanguage=\n";

} // namespace

// A couple saved, chosen, renamed and deleted through the window, beside another running
// program's couples; the rest of the file stays as it was until the close writes the settings.
TEST_F(CouplesTest, SavedChosenRenamedAndDeletedBesideAnotherProgram) {
    Write(settingsPath, Mine);
    Start();
    const QString caption = form->windowTitle();
    SaveFromAnotherProgram("жук и муха", Date(1990, 5, 5), Date(1991, 6, 6));

    Picker("dtpManDateDay")->setDate(QDate(1975, 3, 4));
    AnswerName("  ёж и ель ");
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form->windowTitle(), caption + " — ёж и ель");
    EXPECT_EQ(Stored(), Mine +
                            "[Couple1]\nName=жук и муха\nMan=05.05.1990\nWoman=06.06.1991\n"
                            "[Couple2]\nName=ёж и ель\nMan=04.03.1975\nWoman=" +
                            Picker("dtpWomanDateDay")->date().toString("dd.MM.yyyy").toUtf8() +
                            "\n");
    // The user's own change of a birth date: the dates are no longer the couple's.
    Picker("dtpWomanDateDay")->setDate(QDate(1980, 1, 1));
    EXPECT_EQ(form->windowTitle(), caption);

    // Sorted as the language sorts (ё beside е, before ж), narrowed by typing; choosing sets
    // both dates with one refresh.
    int refreshes = 0;
    QObject::connect(Find<QAction>("actAnalysis"), &QAction::triggered, [&] { ++refreshes; });
    QStringList seen;
    OnModal(form.get(), [&](QWidget* dialog) {
        seen << Shown(dialog).join('|');
        for (const QChar c : QStringLiteral("МУХ"))
            QTest::sendKeyEvent(QTest::Click, Child<QLineEdit>(dialog, "edFindCouple"),
                                Qt::Key_unknown, QString(c), Qt::NoModifier);
        seen << Shown(dialog).join('|');
        QTest::keyClick(Child<QLineEdit>(dialog, "edFindCouple"), Qt::Key_Return);
    });
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(seen, (QStringList{"ёж и ель|жук и муха", "жук и муха"}));
    EXPECT_EQ(Picker("dtpManDateDay")->date(), QDate(1990, 5, 5));
    EXPECT_EQ(Picker("dtpWomanDateDay")->date(), QDate(1991, 6, 6));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(Prognose.Man.BirthDate, Date(1990, 5, 5));
    EXPECT_EQ(form->windowTitle(), caption + " — жук и муха");

    // Saving proposes the chosen name; renaming onto a taken name asks, then replaces it; the
    // couple shown follows its new name, and a deleted one is shown no more.
    OnModal(form.get(), [&](QWidget* dialog) {
        seen.clear();
        seen << Child<QLineEdit>(dialog, "edCoupleName")->text();
        dialog->close();
    });
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    OnModal(form.get(), [&](QWidget* dialog) {
        AnswerName("ёж и ель", "ReplaceCoupleQuestion");
        Child<QPushButton>(dialog, "btRename")->click();
        seen << Shown(dialog).join('|') + " " + form->windowTitle();
        OnModal(form.get(), [](QWidget* box) {
            EXPECT_EQ(box->objectName(), "DeleteQuestion");
            for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                if (button->text() == QStringLiteral("Да"))
                    button->click();
        });
        Child<QPushButton>(dialog, "btDelete")->click();
        seen << QString::number(Shown(dialog).size()) + " " + form->windowTitle();
        dialog->close();
    });
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(seen,
              (QStringList{"жук и муха", "ёж и ель " + caption + " — ёж и ель", "0 " + caption}));
    EXPECT_EQ(Stored(), Mine);

    // The close writes the settings, keeping what another program saved meanwhile.
    SaveFromAnotherProgram("\"в кавычках\"", Date(2000, 1, 1), Date(2001, 1, 1));
    ASSERT_TRUE(form->close());
    const TProfileFile stored(Stored().toStdString());
    EXPECT_EQ(stored.Read("Settings", "lbManDateDay"), "05.05.1990");
    EXPECT_EQ(StoredCouples(stored),
              (std::vector<TStoredCouple>{{"\"в кавычках\"", Date(2000, 1, 1), Date(2001, 1, 1)}}));
    EXPECT_TRUE(Stored().startsWith("; my own notes\n[Settings]\n"));
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}
