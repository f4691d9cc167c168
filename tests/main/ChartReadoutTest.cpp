#include "main/ChartReadout.h"
#include "ProgramFixture.h"

#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The default couple on 5 January 2009, as a user set it up: the intellectual cycle off and a
// green man.
class ChartReadoutTest : public TProgramFixture {
protected:
    void SetUp() override {
        TProgramFixture::SetUp();
        Write(settingsPath, "[Settings]\nchkSavvy=0\npnColorMan=65280\n");
        Start(); // the birth dates are the defaults
        Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2009, 1, 5));
        QApplication::setActiveWindow(form.get());
    }

    void Click(int chart, int x) {
        QTest::mouseClick(form->Chart(chart), Qt::LeftButton, {}, QPoint(x, 40));
    }
    static bool Shown() { return ChartReadout() && ChartReadout()->isVisible(); }
    // The read-out as plain lines.
    static QStringList Lines() {
        QTextDocument document;
        document.setHtml(ChartReadout()->text());
        return document.toPlainText().split(QLatin1Char('\n'));
    }
};

} // namespace

TEST_F(ChartReadoutTest, ValuesOfTheDayUnderThePointer) {
    // Columns every 9 pixels from 18 for 1 January: 5 January at 54, and 28 February, the last
    // day, at 540 and anywhere right of it. Values by 100 × sin(2π·n / period), worked out apart
    // from the program; the average over the physical, emotional and heart cycles. Both averages
    // above zero and their sum a peak on 21 January, both below and a dip on 3 February.
    struct Row {
        int mode;
        int chart;
        int x;
        QStringList lines;
    };
    const QString jan5 = "5 января 2009 г.";
    const QString feb28 = "28 февраля 2009 г.";
    const QString jan21 = "21 января 2009 г.", feb3 = "3 февраля 2009 г.";
    const QString good = "Хороший день для обоих", hard = "Трудный день для обоих";
    const Row rows[] = {
        {0, 0, 54, {jan5, "Мужчина: +23,5 %, убывает", "Женщина: -77,9 %, убывает"}},
        {0, 1, 50, {jan5, "Мужчина: -31,9 %, убывает", "Женщина: -95,4 %, убывает"}},
        {0, 2, 58, {jan5, "Мужчина: -99,9 %, растёт", "Женщина: +91,6 %, убывает"}},
        {0, 3, 54, {jan5, "Мужчина: +99,7 %, убывает", "Женщина: -61,4 %, растёт"}},
        {0, 4, 54, {jan5, "Мужчина: +30,4 %, убывает", "Женщина: -78,3 %, убывает"}},
        {0, 0, 579, {feb28, "Мужчина: -99,9 %, растёт", "Женщина: -47,2 %, растёт"}},
        {0, 4, 198, {jan21, "Мужчина: +16,8 %, растёт", "Женщина: +94,1 %, убывает", good}},
        {0, 0, 315, {feb3, "Мужчина: -92,2 %, убывает", "Женщина: -74,4 %, растёт", hard}},
        {2, 4, 198, {jan21, "Мужчина: +16,8 %, растёт"}},
        {1, 3, 540, {feb28, "Женщина: +91,6 %, убывает"}},
        {2, 3, 540, {feb28, "Мужчина: -91,6 %, убывает"}},
        {2, 4, 54, {jan5, "Мужчина: +30,4 %, убывает"}},
        {-1, 0, 54, {jan5}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lines.join(" / ").toStdString());
        DisplaySettings.SetDisplayMode(row.mode);
        QTest::keyClick(form.get(), Qt::Key_F5);
        EXPECT_FALSE(Shown()); // the refresh took the last one away
        const QImage before = form->Chart(row.chart)->Image();
        Click(row.chart, row.x);
        ASSERT_TRUE(Shown());
        EXPECT_EQ(Lines(), row.lines);
        // The click marker is still drawn.
        EXPECT_NE(form->Chart(row.chart)->Image(), before);
    }
    // A named couple's name after the date, as text.
    ShowChartReadout(form->Chart(4), 4, QPoint(198, 40), "Аня & <b>Петя</b>");
    EXPECT_EQ(Lines().front(), jan21 + " — Аня & <b>Петя</b>");
    // Each person's lines in the person's colour.
    DisplaySettings.SetDisplayMode(0);
    Click(0, 54);
    EXPECT_TRUE(ChartReadout()->text().contains("color:#00ff00"));
    EXPECT_TRUE(ChartReadout()->text().contains("color:#ff0000"));
    // The date and the names are marked bold: the read-out's face must draw bold at all.
    const auto drawn = [](QFont font, bool bold) {
        font.setBold(bold);
        QImage image(120, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.drawText(2, 15, QStringLiteral("Мужчина"));
        return image;
    };
    EXPECT_NE(drawn(ChartReadout()->font(), true), drawn(ChartReadout()->font(), false));
}

TEST_F(ChartReadoutTest, GoesWhenThePointerLeavesOrTheChartsAreRedrawn) {
    Click(0, 100);
    ASSERT_TRUE(Shown());
    // Below and right of the pointer, clear of it.
    const QPoint pointer = form->Chart(0)->mapToGlobal(QPoint(100, 40));
    EXPECT_FALSE(ChartReadout()->geometry().contains(pointer));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form->Chart(1), &leave); // another chart: stays
    EXPECT_TRUE(Shown());
    QApplication::sendEvent(form->Chart(0), &leave);
    EXPECT_FALSE(Shown());

    // A click on another chart moves it there. (F5 takes it away: ValuesOfTheDayUnderThePointer.)
    Click(0, 100);
    Click(4, 200);
    EXPECT_TRUE(Shown());
    QApplication::sendEvent(form->Chart(0), &leave);
    EXPECT_TRUE(Shown());

    // Any refresh does: a changed date.
    Click(2, 300);
    EXPECT_TRUE(Shown());
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2009, 1, 6));
    EXPECT_FALSE(Shown());

    // Leaving the window does.
    Click(2, 300);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(form.get(), &deactivate);
    EXPECT_FALSE(Shown());

    // A right click opens no read-out.
    QTest::mouseClick(form->Chart(0), Qt::RightButton, {}, QPoint(100, 40));
    EXPECT_FALSE(Shown());
}

TEST_F(ChartReadoutTest, DaysWithoutAValue) {
    // The woman is born on 20 January, inside the charts: before it she has no values.
    Find<QDateEdit>("dtpWomanDateDay")->setDate(QDate(2009, 1, 20));
    Click(1, 54);
    EXPECT_EQ(Lines(), (QStringList{"5 января 2009 г.", "Мужчина: -31,9 %, убывает",
                                    "Женщина: ещё не родилась"}));
    // On her day of birth every cycle is 0 and rising.
    Click(1, 9 * 21);
    EXPECT_EQ(Lines().last(), "Женщина: 0,0 %, растёт");

    // With every cycle off in the settings file, the average has nothing to be the mean of.
    form.reset();
    Write(settingsPath, "[Settings]\nchkPhysical=0\nchkEmotional=0\nchkSavvy=0\nchkWarmhearted=0\n"
                        "lbManDateDay=23.12.1982\nlbWomanDateDay=29.09.1983\n");
    Start();
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2009, 1, 5));
    Click(4, 54);
    EXPECT_EQ(Lines(), (QStringList{"5 января 2009 г.", "Мужчина: циклы не выбраны",
                                    "Женщина: циклы не выбраны"}));
    Click(0, 54);
    EXPECT_EQ(Lines()[1], "Мужчина: +23,5 %, убывает");
}
