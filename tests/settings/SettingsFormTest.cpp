#include "settings/Settings.h"
#include "tests/QtTestSupport.h"
#include "tests/TestSupport.h"

#include "model/Shared.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace {

// The colour dialog replaced by scripted answers (cancel when none is left).
class TScriptedSettingsForm : public TSettingsForm {
public:
    using TSettingsForm::TSettingsForm;
    std::deque<QColor> answers;
    std::vector<QColor> openedWith;

protected:
    std::optional<QColor> PickColor(const QColor& initial) override {
        openedWith.push_back(initial);
        if (answers.empty())
            return std::nullopt;
        const QColor answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

void Click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

class SettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        TearDown();
        mainWindow = std::make_unique<QWidget>();
        mainWindow->setGeometry(100, 80, 600, 400);
        form = new TScriptedSettingsForm(mainWindow.get());
        rgGraphics = W<TRadioGroup>("rgGraphics");
    }
    void TearDown() override {
        mainWindow.reset();
        ResetDisplaySettings();
    }

    // The window's control of this name.
    template <class T = QWidget> T* W(const char* name) const { return Child<T>(form, name); }

    // What the main window does at the end of its start-up.
    void Connect() {
        DisplaySettings.SetAnalysisRefresh([this] { ++refreshes; });
        DisplaySettings.ConnectSettingsOnChange();
    }

    // The check box of each DisplayFlag.
    std::vector<QCheckBox*> Boxes() const {
        std::vector<QCheckBox*> boxes;
        for (const char* name : {"chkPhysical", "chkEmotional", "chkSavvy", "chkWarmhearted",
                                 "cbOrdinate_Y", "cbAbscissa_X", "cbAxis", "cbMonthNumbers"})
            boxes.push_back(W<QCheckBox>(name));
        return boxes;
    }

    // The index of the only checked radio item, -1 for none, -2 for several.
    int Checked() const {
        int index = -1;
        for (int i = 0; i < rgGraphics->Count(); ++i)
            if (rgGraphics->Item(i)->isChecked())
                index = index == -1 ? i : -2;
        return index;
    }

    std::unique_ptr<QWidget> mainWindow;
    TScriptedSettingsForm* form = nullptr;
    TRadioGroup* rgGraphics = nullptr;
    int refreshes = 0;
};

} // namespace

// The texts are the program's own; that each fits is EveryTextTest's. Here: each control in its
// group, whole inside it and clear of its siblings.
TEST_F(SettingsFormTest, WindowAndControlsAsDesigned) {
    form->show(); // the radio group places its items once shown, like any layout
    EXPECT_EQ(form->windowType(), Qt::Tool);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Настройки..."));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->font(), WindowFont());

    const struct {
        const char *name, *parent, *text;
    } controls[] = {
        {"rgGraphics", "", " Отбражение графика "},
        {"pnColorWoman", "", ""},
        {"pnColorMan", "", ""},
        {"gbGraph", "", " На графике "},
        {"cbOrdinate_Y", "gbGraph", "Ось ординат (Y)"},
        {"cbAbscissa_X", "gbGraph", "Ось абцисс (X)"},
        {"cbAxis", "gbGraph", "Координатная ось"},
        {"cbMonthNumbers", "gbGraph", "Числа месяцев"},
        {"gbPeriods", "", " В расчёте участвуют биоритмы "},
        {"chkPhysical", "gbPeriods", "Физический"},
        {"chkEmotional", "gbPeriods", "Эмоциональный"},
        {"chkSavvy", "gbPeriods", "Интелектуальный"},
        {"chkWarmhearted", "gbPeriods", "Сердечный"},
        {"spHelp", "gbPeriods", ""},
        {"gbAlphaBlend", "", " Прозрачность окна  настроек "},
        {"tbAlphaBlend", "gbAlphaBlend", ""},
        {"btDefault", "", "По умолчанию"},
        {"btClose", "", "Закрыть"},
    };
    std::vector<QWidget*> placed;
    for (const auto& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* w = W(c.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromUtf8(c.parent));
        // The colour panels stand over the radio group on purpose, checked below.
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()));
        for (QWidget* other : placed) {
            const bool panelOverGroup = other == rgGraphics && qobject_cast<TColorPanel*>(w);
            if (other->parentWidget() == w->parentWidget() && !panelOverGroup) {
                EXPECT_FALSE(other->geometry().adjusted(0, 0, 0, -1).intersects(w->geometry()))
                    << other->objectName().toStdString();
            }
        }
        placed.push_back(w);
        const auto* box = qobject_cast<QGroupBox*>(w);
        const auto* button = qobject_cast<QAbstractButton*>(w);
        EXPECT_EQ(box ? box->title() : button ? button->text() : "", QString::fromUtf8(c.text));
    }
    for (QCheckBox* box : Boxes())
        EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(Checked(), 0);
    EXPECT_EQ(rgGraphics->Item(0)->text(), QStringLiteral("Мужской и женский"));

    // The panels stand over the last two items, level with them.
    const QObjectList stack = form->children();
    for (int i : {1, 2}) {
        auto* panel = W<TColorPanel>(i == 1 ? "pnColorWoman" : "pnColorMan");
        QRadioButton* item = rgGraphics->Item(i);
        const QRect itemRect(item->mapTo(form, QPoint()), item->size());
        EXPECT_LE(std::abs(itemRect.center().y() - panel->geometry().center().y()), 1);
        EXPECT_GT(stack.indexOf(panel), stack.indexOf(rgGraphics));
        EXPECT_EQ(panel->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(panel->Color(), QColor(i == 1 ? Qt::red : Qt::blue));
    }
    // Hints are tooltips and status tips alike; the slider has none before its first change.
    EXPECT_EQ(W("spHelp")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(W("spHelp")->statusTip(), W("spHelp")->toolTip());
    EXPECT_TRUE(W("tbAlphaBlend")->toolTip().isEmpty());
}

TEST_F(SettingsFormTest, TabOrder) {
    form->show();
    QApplication::setActiveWindow(form);
    QRadioButton* first = rgGraphics->Item(0);
    first->setFocus();
    for (const char* next :
         {"btClose", "chkPhysical", "chkEmotional", "chkSavvy", "chkWarmhearted", "tbAlphaBlend",
          "btDefault", "cbAbscissa_X", "cbAxis", "cbMonthNumbers", "cbOrdinate_Y"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), W(next)) << next;
    }

    // The radio group is one stop, at its selected item (the first when none), both ways;
    // arrows move the selection within it.
    const auto key = [](QWidget* from, Qt::Key pressed) {
        from->setFocus();
        QTest::keyClick(from, pressed);
        return QApplication::focusWidget();
    };
    QWidget* last = W("cbOrdinate_Y");
    EXPECT_EQ(key(last, Qt::Key_Tab), first);
    DisplaySettings.SetDisplayMode(2);
    EXPECT_EQ(key(last, Qt::Key_Tab), rgGraphics->Item(2));
    EXPECT_EQ(key(W("btClose"), Qt::Key_Backtab), rgGraphics->Item(2));
    EXPECT_EQ(key(rgGraphics->Item(2), Qt::Key_Up), rgGraphics->Item(1));
    EXPECT_EQ(DisplaySettings.DisplayMode(), 1);
    EXPECT_EQ(key(last, Qt::Key_Tab), rgGraphics->Item(1));
    DisplaySettings.SetDisplayMode(-1);
    EXPECT_EQ(key(last, Qt::Key_Tab), first);
    EXPECT_EQ(key(first, Qt::Key_Tab), W("btClose"));
}

TEST_F(SettingsFormTest, RecordAndWindowAgree) {
    form->show();
    Connect();
    const std::vector<QCheckBox*> boxes = Boxes();
    for (std::size_t f = 0; f < boxes.size(); ++f) {
        Click(boxes[f]);
        EXPECT_FALSE(DisplaySettings.Flag(static_cast<DisplayFlag>(f))) << f;
        Click(boxes[f]);
        EXPECT_TRUE(DisplaySettings.Flag(static_cast<DisplayFlag>(f))) << f;
    }
    Click(rgGraphics->Item(2));
    EXPECT_EQ(DisplaySettings.DisplayMode(), 2);
    EXPECT_EQ(refreshes, 17);

    // Clearing the last cycle ticks the physical one again at once, and refreshes twice.
    for (QCheckBox* box : {boxes[1], boxes[2], boxes[3]})
        Click(box);
    refreshes = 0;
    Click(boxes[0]);
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_EQ(refreshes, 2);

    // Loading runs disconnected: the controls follow, and nothing runs, not even the rule.
    DisplaySettings.DisconnectSettingsOnChange();
    for (std::size_t f = 0; f < boxes.size(); ++f)
        DisplaySettings.SetFlag(static_cast<DisplayFlag>(f), f == 7);
    DisplaySettings.SetDisplayMode(1);
    DisplaySettings.SetManColor(0x563412);
    DisplaySettings.SetSettingsOpacity(200);
    EXPECT_EQ(refreshes, 2);
    for (std::size_t f = 0; f < boxes.size(); ++f)
        EXPECT_EQ(boxes[f]->isChecked(), f == 7) << f;
    EXPECT_EQ(Checked(), 1);
    EXPECT_EQ(W<TColorPanel>("pnColorMan")->Color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(W<QSlider>("tbAlphaBlend")->value(), 200);

    // A stored mode of -1 selects nothing and, connected, runs nothing; a click afterwards
    // selects one item again, and a second click keeps it. The first change applies the rule.
    DisplaySettings.ConnectSettingsOnChange();
    refreshes = 0;
    DisplaySettings.SetDisplayMode(-1);
    EXPECT_EQ(Checked(), -1);
    EXPECT_EQ(refreshes, 0);
    Click(rgGraphics->Item(2));
    Click(rgGraphics->Item(0));
    Click(rgGraphics->Item(0));
    EXPECT_EQ(Checked(), 0);
    EXPECT_EQ(DisplaySettings.DisplayMode(), 0);
    EXPECT_EQ(refreshes, 3);
    EXPECT_TRUE(boxes[0]->isChecked());
    rgGraphics->SetItemIndex(-1); // set by hand, the record follows too
    EXPECT_EQ(DisplaySettings.DisplayMode(), -1);

    // A window made after loading starts from the record; once gone it hears no more (the
    // sanitizer catches a forgotten observer).
    DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, false);
    auto* late = new TSettingsForm(mainWindow.get());
    EXPECT_FALSE(Child<QCheckBox>(late, "cbAxis")->isChecked());
    EXPECT_EQ(late->windowOpacity(), 200 / 255.0);
    delete late;
    DisplaySettings.SetFlag(DisplayFlag::ShowDayLines, true);
    EXPECT_TRUE(boxes[6]->isChecked());
}

TEST_F(SettingsFormTest, OpacitySlider) {
    Connect();
    auto* slider = W<QSlider>("tbAlphaBlend");
    slider->setValue(145);
    EXPECT_EQ(DisplaySettings.SettingsOpacity(), 145);
    EXPECT_EQ(form->windowOpacity(), 145 / 255.0);
    EXPECT_EQ(slider->toolTip(), QStringLiteral("Прозрачность 44%"));
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(slider->statusTip(), QStringLiteral("Прозрачность 0%"));
    EXPECT_EQ(refreshes, 0);

    // "По умолчанию" with the slider at 200: back at 240 with its hint, one refresh at the end.
    slider->setValue(200);
    Click(W("btDefault"));
    EXPECT_EQ(form->windowOpacity(), 240 / 255.0);
    EXPECT_EQ(slider->toolTip(), QStringLiteral("Прозрачность 6%"));
    EXPECT_EQ(refreshes, 1);
}

TEST_F(SettingsFormTest, ColourDialog) {
    DisplaySettings.SetColorHandover(SetPersonColor); // as the main window connects it
    form->show();
    Connect();
    Prognose.Woman.SetColor(0);

    // Cancelled: the colour stays, the person gets it again, and the charts redraw once.
    Click(W("pnColorWoman"));
    EXPECT_EQ(DisplaySettings.WomanColor(), clRed);
    EXPECT_EQ(Prognose.Woman.Color, clRed);
    EXPECT_EQ(refreshes, 1);

    // Confirmed: the record holds 0x00BBGGRR. Then one dialog serves both panels, and a
    // cancel does not forget its colour.
    form->answers = {QColor(0x12, 0x34, 0x56)};
    Click(W("pnColorWoman"));
    EXPECT_EQ(Prognose.Woman.Color, 0x563412u);
    EXPECT_EQ(W<TColorPanel>("pnColorWoman")->Color(), QColor(0x12, 0x34, 0x56));
    Click(W("pnColorMan"));
    Click(W("pnColorMan"));
    const QColor picked(0x12, 0x34, 0x56);
    EXPECT_EQ(form->openedWith, (std::vector<QColor>{Qt::black, Qt::black, picked, picked}));
    EXPECT_EQ(DisplaySettings.ManColor(), clBlue);
    EXPECT_EQ(refreshes, 4);
}

TEST_F(SettingsFormTest, HelpBox) {
    form->show();
    Click(W("spHelp"));
    QPointer<QMessageBox> box = form->findChild<QMessageBox*>();
    ASSERT_FALSE(box.isNull());
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Информация"));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_EQ(box->text(), QStringLiteral("Периоды, которые участвуют в расчётах:\n"
                                          " - хорошего и плохого дня\n"
                                          " - построение суммарного графика"));
    box->button(QMessageBox::Ok)->click();
    EXPECT_FALSE(box->isVisible());
}

TEST_F(SettingsFormTest, ShowHideAndPlacement) {
    mainWindow->show();
    form->show();
    const QPoint offCentre = form->frameGeometry().center() - mainWindow->frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2);

    // Closing only hides; the window comes back where the user left it.
    form->move(20, 30);
    Click(W("btClose"));
    EXPECT_FALSE(form->isVisible());
    form->show();
    EXPECT_EQ(form->pos(), QPoint(20, 30));
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());

    // Showing it while visible does not run FormShow; showing it after a close does, which
    // puts the slider where the window's opacity is.
    form->show();
    form->setWindowOpacity(200 / 255.0);
    form->show();
    EXPECT_EQ(W<QSlider>("tbAlphaBlend")->value(), 240);
    form->hide();
    form->show();
    EXPECT_EQ(DisplaySettings.SettingsOpacity(), 200);
}
