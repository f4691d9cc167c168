#include "ProgramFixture.h"
#include "base/Vocabulary.h"
#include "main/MainUnit.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "viewer/InfoViewer.h"
#include "widgets/Fonts.h"
#include "widgets/ImageCanvas.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

constexpr TColor Green = 0x00FF00;

// The program started without a settings file, active.
class MainFormTest : public TProgramFixture {
protected:
    void SetUp() override {
        TProgramFixture::SetUp();
        Start();
        settings = form->findChild<TSettingsForm*>();
        QApplication::setActiveWindow(form.get());
    }

    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    QDateEdit* Picker(const char* name) const { return Find<QDateEdit>(name); }

    // How many pixels of a colour a chart holds.
    int Count(int chart, TColor color) const {
        const QImage& image = form->Chart(chart)->Image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == ToQRgb(color);
        return n;
    }

    // The title of the modal window `open` shows, which is then closed.
    QString ModalTitle(const std::function<void()>& open) {
        QString title;
        OnModal(form.get(), [&](QWidget* modal) {
            title = modal->windowTitle();
            modal->close();
        });
        open();
        return title;
    }

    TSettingsForm* settings = nullptr;
};

} // namespace

TEST_F(MainFormTest, StartsWithTodayTheDefaultsAndTheBuiltInTexts) {
    EXPECT_EQ(form->windowTitle(), "Орванта 3.3");
    EXPECT_EQ(ApplicationTitle, "Орванта");
    EXPECT_EQ(Picker("dtpPrognoseDate")->date(), QDate::currentDate());
    EXPECT_EQ(Picker("dtpManDateDay")->date(), QDate(1982, 12, 23));
    EXPECT_EQ(Picker("dtpWomanDateDay")->date(), QDate(1983, 9, 29));
    EXPECT_EQ(form->centralWidget()->size(), QSize(787, 541));
    EXPECT_TRUE(Find<QToolButton>("sbInfoMan")->isVisible());
    EXPECT_TRUE(Find<QAction>("N1")->isVisible());
    EXPECT_EQ(Find<QAction>("actPrint")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    QStringList file;
    for (QAction* item : Find<QMenu>("miFile")->actions())
        file << item->objectName();
    EXPECT_EQ(file,
              (QStringList{"miChooseCouple", "miSaveCouple", "miSep_Couples", "actSettings1", "N1",
                           "miPrint", "miExportCalendar", "miLanguage", "miSep_File", "miClose"}));
    // The menus, Help at the right end; the items of "Вид" by caption and key.
    QStringList bar, view;
    for (QAction* menu : form->menuBar()->actions())
        bar << menu->text();
    EXPECT_EQ(bar, (QStringList{"&Файл", "&Вид", "", "Помощь"}));
    for (QAction* item : Find<QMenu>("miView")->actions())
        view << item->text() + " " + item->shortcut().toString();
    EXPECT_EQ(view, (QStringList{"Сегодня Ctrl+T", " ", "Подробная информация о мужчине Ctrl+1",
                                 "Подробная информация о женщине Ctrl+2"}));
    EXPECT_TRUE(Find<QLabel>("imMAge")->pixmap().size() == QSize(32, 32));
    EXPECT_TRUE(DisplaySettings.SettingsOnChangeConnected());
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), Picker("dtpPrognoseDate"));
}

TEST_F(MainFormTest, PanelTextsForAKnownCouple) {
    // (Sign and element names, found days and captions of every month: PanelsTest.)
    Picker("dtpManDateDay")->setDate(QDate(1980, 5, 17));
    Picker("dtpPrognoseDate")->setDate(QDate(2001, 1, 31));
    EXPECT_EQ(Text("lbMAge"), "20 лет");
    EXPECT_EQ(Text("lbMQuanDays"), "7564 дня");
    EXPECT_EQ(Text("lbWAge"), "17 лет");
    EXPECT_EQ(Text("lbWQuanDays"), "6334 дня");

    // None found: a dash, never the text of day zero nor the other found day. Worked out from
    // the sines (tests/CycleFormulas.h, no near-tie): with every cycle, a man born on 19 April
    // 1980 has no bad day before the window's end; with the intellectual and heart cycles only,
    // one born on 30 March has no good day.
    Picker("dtpManDateDay")->setDate(QDate(1980, 4, 19));
    EXPECT_EQ(Text("lbMMaxDay"), "14 февраля 2001 г.");
    EXPECT_EQ(Text("lbMMinDay"), "—");
    DisplaySettings.ConnectSettingsOnChange();
    for (DisplayFlag flag : {DisplayFlag::UsePhysical, DisplayFlag::UseEmotional})
        DisplaySettings.SetFlag(flag, false);
    Picker("dtpManDateDay")->setDate(QDate(1980, 3, 30));
    EXPECT_EQ(Text("lbMMaxDay"), "—");
    EXPECT_EQ(Text("lbMMinDay"), "11 февраля 2001 г.");
}

TEST_F(MainFormTest, CommandsAndShortcuts) {
    // (F5 and any refresh take a click marker away: ClickMarkerAndPopupMenu.)
    QWidget* window = form.get();
    // Ctrl+S opens the settings window, twice leaves one, in front.
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(form->findChildren<TSettingsForm*>().size(), 1);

    // F1 opens the help viewer, modally, Shift+F1 the guide; the detail buttons each person's
    // own report.
    EXPECT_EQ(ModalTitle([&] { QTest::keyClick(window, Qt::Key_F1); }), "Справка");
    QApplication::setActiveWindow(window); // as the closed viewer leaves it on a desktop
    EXPECT_EQ(ModalTitle([&] { QTest::keyClick(window, Qt::Key_F1, Qt::ShiftModifier); }),
              "Руководство пользователя");
    EXPECT_EQ(
        ModalTitle([&] { QTest::mouseClick(Find<QToolButton>("sbInfoMan"), Qt::LeftButton); }),
        "Подробная информация о мужчине");
    EXPECT_EQ(
        ModalTitle([&] { QTest::mouseClick(Find<QToolButton>("sbInfoWoman"), Qt::LeftButton); }),
        "Подробная информация о женщине");
    EXPECT_TRUE(errors.isEmpty());

    // The today button brings back today and redraws.
    Picker("dtpPrognoseDate")->setDate(QDate(2030, 5, 5));
    EXPECT_EQ(Prognose.PrognoseDate, *EncodeDate(2030, 5, 5));
    QTest::mouseClick(Find<QToolButton>("sbTodayDateDay"), Qt::LeftButton);
    EXPECT_EQ(Picker("dtpPrognoseDate")->date(), QDate::currentDate());
    EXPECT_NE(Prognose.PrognoseDate, *EncodeDate(2030, 5, 5));

    // Esc closes the window, even with the focus in a date picker.
    QApplication::setActiveWindow(window);
    Picker("dtpManDateDay")->setFocus();
    QTest::keyClick(Picker("dtpManDateDay"), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

// Every shortcut of the window runs its command exactly once after each menu was opened and
// dismissed in each way a user does it: Esc (which leaves the menu bar focused), a click beside
// the menu, or choosing an item.
TEST_F(MainFormTest, ShortcutsWorkAfterAMenuWasDismissed) {
    struct Key {
        QKeySequence key;
        const char* command;
    };
    const Key keys[] = {{Qt::Key_Escape, "actExit"},
                        {Qt::Key_F1, "actHelp"},
                        {QKeySequence(Qt::SHIFT | Qt::Key_F1), "actGuide"},
                        {QKeySequence(Qt::CTRL | Qt::Key_S), "actSettings"},
                        {QKeySequence(Qt::CTRL | Qt::Key_P), "actPrint"},
                        {QKeySequence(Qt::CTRL | Qt::Key_O), "actChooseCouple"},
                        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "actSaveCouple"},
                        {QKeySequence(Qt::CTRL | Qt::Key_1), "actManInfo"},
                        {QKeySequence(Qt::CTRL | Qt::Key_2), "actWomanInfo"},
                        {QKeySequence(Qt::CTRL | Qt::Key_T), "actGetCurrentDate"},
                        {Qt::Key_F5, "actAnalysis"}};
    // Counted, not run: the commands would close the window or open modal ones.
    std::map<std::string, int> runs;
    for (const Key& key : keys) {
        QAction* command = Action(key.command);
        QObject::disconnect(command, &QAction::triggered, nullptr, nullptr);
        QObject::connect(command, &QAction::triggered, [&runs, &key] { ++runs[key.command]; });
    }
    enum Dismissal { Escape, ClickBeside, ChooseItem };
    QMenuBar* bar = form->menuBar();
    for (const char* menuName : {"miFile", "miView", "miHelp", "pmMain"}) {
        for (Dismissal dismissal : {Escape, ClickBeside, ChooseItem}) {
            SCOPED_TRACE(testing::Message() << menuName << " dismissed by " << dismissal);
            QApplication::setActiveWindow(form.get());
            auto* menu = Find<QMenu>(menuName);
            if (menu->menuAction()->associatedObjects().contains(bar))
                bar->setActiveAction(menu->menuAction());
            else
                menu->popup(form->mapToGlobal(QPoint(300, 300)));
            ASSERT_EQ(QApplication::activePopupWidget(), menu);
            switch (dismissal) {
            case Escape:
                QTest::keyClick(menu, Qt::Key_Escape);
                break;
            case ClickBeside:
                QTest::mouseClick(menu, Qt::LeftButton, {}, QPoint(-20, -20));
                break;
            case ChooseItem:
                // The first item of each of these menus is harmless here: choosing a couple,
                // today, settings or help, whose commands only count.
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
                break;
            }
            ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
            runs.clear();
            for (const Key& key : keys) {
                QWidget* focus =
                    QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
                QTest::keyClick(focus, key.key[0].key(), key.key[0].keyboardModifiers());
                EXPECT_EQ(runs[key.command], 1) << key.command;
            }
            EXPECT_TRUE(form->isVisible());
        }
    }
}

// Menus, tooltips, message boxes and calendars open as windows of their own, which would show
// the desktop's default font beside the windows' own.
TEST_F(MainFormTest, PopupsShowTheWindowsFont) {
    // As the program does at start-up (the test main does it too).
    const std::string family = WindowFont().family().toStdString();
    for (const char* menu : {"miFile", "miHelp", "pmMain"})
        EXPECT_EQ(Find<QMenu>(menu)->font().family().toStdString(), family) << menu;
    QMessageBox box(QMessageBox::Information, "t", "text", QMessageBox::Ok, form.get());
    for (QWidget* part : box.findChildren<QWidget*>())
        EXPECT_EQ(part->font().family().toStdString(), family) << part->metaObject()->className();
    EXPECT_EQ(QToolTip::font().family().toStdString(), family);
    auto* calendar = Picker("dtpPrognoseDate")->calendarWidget();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->font().family().toStdString(), family);
}

TEST_F(MainFormTest, ClickMarkerAndPopupMenu) {
    TChartImage* chart = form->Chart(4);
    const QImage before = chart->Image();
    QTest::mouseClick(chart, Qt::RightButton, {}, QPoint(200, 30));
    EXPECT_EQ(chart->Image(), before);
    QTest::mouseClick(chart, Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 30));
    EXPECT_EQ(chart->Image().pixel(200, 30), qRgb(255, 255, 255));
    EXPECT_EQ(chart->Image().pixel(200 - 3, 30), ToQRgb(clNavy));
    EXPECT_EQ(chart->Image().pixel(200 - 2, 30), ToQRgb(clMaroon));

    // A later change of a date clears it.
    Picker("dtpManDateDay")->setDate(QDate(1990, 1, 1));
    EXPECT_NE(chart->Image().pixel(200 - 3, 30), ToQRgb(clNavy));

    // A right click where no control has a menu of its own opens the pop-up menu.
    auto* menu = form->findChild<QMenu*>(QStringLiteral("pmMain"));
    ASSERT_NE(menu, nullptr);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            form->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(chart, &event);
    EXPECT_TRUE(menu->isVisible());
    menu->close();
}

TEST_F(MainFormTest, HintsReachTheStatusBar) {
    auto* status = Find<QStatusBar>("StatusBarMain");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(Find<QLabel>("imMMaxDay"), &enter);
    EXPECT_EQ(status->currentMessage(), "Ближайший хороший день");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Find<QLabel>("imMMaxDay"), &leave);
    EXPECT_EQ(status->currentMessage(), "");

    settings->show();
    auto* panel = settings->findChild<QWidget*>(QStringLiteral("pnColorMan"));
    ASSERT_NE(panel, nullptr);
    QApplication::sendEvent(panel, &enter);
    EXPECT_EQ(status->currentMessage(), "Цвет мужского графика");
    QApplication::sendEvent(panel, &leave);
    EXPECT_EQ(status->currentMessage(), "");
}

// A hint goes from the status bar when the window it came from closes, nothing under the pointer
// saying otherwise: the viewer's last ("Сохранить как") does not outlive the viewer, nor the
// settings window's the settings window. The main window's own stays.
TEST_F(MainFormTest, AHintGoesWithTheWindowItCameFrom) {
    auto* status = Find<QStatusBar>("StatusBarMain");
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    bool viewerSeen = false;
    OnModal(form.get(), [&](QWidget* viewer) {
        viewerSeen = true;
        QApplication::sendEvent(Child<QWidget>(viewer, "tbSaveAs"), &enter);
        EXPECT_EQ(status->currentMessage(), "Сохранить как");
        viewer->close();
    });
    Action("actHelp")->trigger();
    EXPECT_TRUE(viewerSeen);
    EXPECT_EQ(status->currentMessage(), "");

    settings->show();
    QApplication::sendEvent(Child<QWidget>(settings, "pnColorMan"), &enter);
    EXPECT_EQ(status->currentMessage(), "Цвет мужского графика");
    settings->close();
    EXPECT_EQ(status->currentMessage(), "");

    settings->show();
    QApplication::sendEvent(Find<QLabel>("imMMaxDay"), &enter);
    settings->close();
    EXPECT_EQ(status->currentMessage(), "Ближайший хороший день");
}

TEST_F(MainFormTest, DisplayModes) {
    // By mode: whose box shows, and whose panel and average curve are filled; a person left out
    // keeps the labels as they were. (Each person's colour on labels and curves: PanelsTest.)
    Prognose.Man.SetColor(Green);
    DisplaySettings.ConnectSettingsOnChange();
    DisplaySettings.ChangeManColor(Green);
    const struct {
        int mode;
        bool manBox, womanBox, man, woman;
    } rows[] = {{0, true, true, true, true},
                {2, true, false, true, false},
                {1, false, true, false, true},
                {-1, true, true, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        Find<QLabel>("lbMZodiac")->setText("untouched");
        Find<QLabel>("lbWZodiac")->setText("untouched");
        DisplaySettings.SetDisplayMode(row.mode);
        Action("actAnalysis")->trigger();
        EXPECT_EQ(Find<QGroupBox>("gbMan")->isVisible(), row.manBox);
        EXPECT_EQ(Find<QGroupBox>("gbWoman")->isVisible(), row.womanBox);
        EXPECT_EQ(Count(4, Green) > 0, row.man);
        EXPECT_EQ(Count(4, clRed) > 0, row.woman);
        EXPECT_EQ(Text("lbMZodiac") == "untouched", !row.man);
        EXPECT_EQ(Text("lbWZodiac") == "untouched", !row.woman);
    }
}
