#include "main/DetailReport.h"
#include "base/LanguageForms.h"
#include "tests/QtTestSupport.h"
#include "tests/TestSupport.h"
#include "tests/main/DetailReportLines.h"

#include "base/Vocabulary.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "viewer/InfoViewer.h"
#include "viewer/RtfReader.h"

#include <QApplication>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class DetailReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDisplaySettings();
        InstallBuiltInNames();
        // The default couple on 5 January 2009.
        SetCouple(Date(2009, 1, 5), Date(1982, 12, 23), Date(1983, 9, 29));
    }
    void TearDown() override {
        DisplaySettings.RestoreDefaults();
        SetCouple(0, 0, 0);
    }

    static void SetCouple(TDateTime prognose, TDateTime man, TDateTime woman) {
        Prognose.SetPrognoseDate(prognose);
        Prognose.Man.SetBirthDate(man);
        Prognose.Woman.SetBirthDate(woman);
        Prognose.UpdateAll();
    }

    // Every line expected is in the report.
    static void ExpectLines(bool man, const QStringList& expected) {
        const QStringList lines = DetailReportLines(man);
        for (const QString& line : expected)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString();
    }
};

} // namespace

TEST_F(DetailReportTest, FiguresOfTheMan) {
    const QStringList lines = DetailReportLines(true);
    EXPECT_EQ(lines.mid(0, 4),
              (QStringList{"Подробная информация о мужчине", "Дата рождения: 23 декабря 1982 г.",
                           "Дата прогноза: 5 января 2009 г.", "Возраст: 26 лет (9510 дней)"}));
    // Day 9510 of life: 25 × sin(9510 × 2π / period) / 25 × 100, and the next day's value;
    // 280 days apart: 100 × (1 + cos(2π × 280 / period)) / 2. (The critical days' lists:
    // CalendarExportTest, which reads them.)
    ExpectLines(
        true,
        {"Физический: +23,5 %, убывает", "Эмоциональный: -31,9 %, убывает",
         "Интеллектуальный: -99,9 %, растёт", "Сердечный: +99,7 %, убывает",
         "Физический (период 23,6884 дня): 71,3 %", "Эмоциональный (период 28,4261 дня): 79,4 %",
         "Интеллектуальный (период 33,1638 дня): 3,2 %", "Сердечный (период 38 дней): 16,1 %",
         "Средняя совместимость по циклам, показанным на графиках: 42,5 %",
         // Both means above zero and their sum a peak, or both below and a dip (worked out apart).
         "Хорошие дни для обоих: 22 января 2009 г., 17 февраля 2009 г.",
         "Трудные дни для обоих: 9 января 2009 г., 4 февраля 2009 г.",
         "Ближайший хороший день: " + QString::fromStdString(FoundDayForm(Prognose.Man.GoodDay)),
         "Ближайший плохой день: " + QString::fromStdString(FoundDayForm(Prognose.Man.BadDay))});
    EXPECT_NE(Prognose.Man.GoodDay, 0);

    // Emotional on 1 February and heart on 2 February make one span of two days.
    const QStringList unfavourable{
        "14 января 2009 г.: интеллектуальный и сердечный",
        "18 января 2009 г.: физический и эмоциональный",
        "30 января 2009 г.: физический и интеллектуальный",
        "1 февраля 2009 г. — 2 февраля 2009 г.: эмоциональный и сердечный",
        "16 февраля 2009 г.: эмоциональный и интеллектуальный",
    };
    const qsizetype first = lines.indexOf(unfavourable.front());
    ASSERT_GE(first, 0);
    EXPECT_EQ(lines.mid(first, unfavourable.size()), unfavourable);
    EXPECT_GT(first, lines.indexOf("Особо неблагоприятные дни"));
    EXPECT_EQ(lines.filter("Между датами рождения мужчины и женщины 280 дней.").size(), 1);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        return line.startsWith("Совместимость = 100 × (1 + cos(2π·d / p)) / 2 %");
    }));
}

TEST_F(DetailReportTest, FiguresOfTheWomanFollowTheSettings) {
    // Compatibility is the couple's: the same from either side.
    EXPECT_EQ(DetailReportLines(false).front(), "Подробная информация о женщине");
    ExpectLines(false, {"28 января 2009 г.: эмоциональный, интеллектуальный и сердечный",
                        "Средняя совместимость по циклам, показанным на графиках: 42,5 %"});
    // Without the emotional and the intellectual cycle: the mean of 71.33 and 16.14, no
    // especially unfavourable days, and the cycles off are marked.
    DisplaySettings.SetFlag(DisplayFlag::UseEmotional, false);
    DisplaySettings.SetFlag(DisplayFlag::UseIntellectual, false);
    Prognose.UpdateAll();
    ExpectLines(false, {"Средняя совместимость по циклам, показанным на графиках: 43,7 %",
                        "Эмоциональный: -95,4 %, убывает (не показан на графиках)",
                        "В эти два месяца таких дней нет."});
    ExpectLines(false, {"Хорошие дни для обоих: 15 февраля 2009 г.",
                        "Трудные дни для обоих: 2 февраля 2009 г."});
}

TEST_F(DetailReportTest, UnbornAndTheCalendarsEnd) {
    // Born after the prognosis date: no values, but the day of birth is a critical day.
    SetCouple(Date(2009, 1, 5), Date(2009, 1, 20), Date(1983, 9, 29));
    EXPECT_TRUE(DetailReportLines(true).filter("Возраст").isEmpty());
    ExpectLines(true, {"На дату прогноза мужчина ещё не родился: циклы начинаются в день рождения.",
                       "20 января 2009 г.: физический, эмоциональный, интеллектуальный и "
                       "сердечный"});
    SetCouple(Date(2009, 1, 5), Date(1983, 9, 29), Date(2009, 1, 20));
    ExpectLines(false,
                {"На дату прогноза женщина ещё не родилась: циклы начинаются в день рождения."});

    // December 9999: no charts, so no critical days; nothing breaks.
    SetCouple(Date(9999, 12, 31), Date(1, 1, 1), Date(9999, 12, 31));
    EXPECT_EQ(DetailReportLines(true).mid(1, 3),
              (QStringList{"Дата рождения: 1 января 0001 г.", "Дата прогноза: 31 декабря 9999 г.",
                           "Возраст: 9998 лет (3652058 дней)"}));
    ExpectLines(true, {"Для этой даты прогноза графики не строятся, поэтому критические дни не "
                       "указаны."});
    EXPECT_TRUE(DetailReportLines(true).filter("для обоих").isEmpty());
    EXPECT_FALSE(DetailReportLines(false).isEmpty());
}

TEST_F(DetailReportTest, RtfKeepsTheReportAndTheViewerShowsIt) {
    // A named couple's name after the caption, in the heading and the title.
    const QByteArray rtf = DetailReportRtf(Prognose.Man, Prognose.Woman, true, "Аня");
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1251"));
    QTextDocument written;
    WriteDetailReport(written, Prognose.Man, Prognose.Woman, true, "Аня");
    QTextDocument read;
    ReadRtf(rtf, read);
    EXPECT_EQ(read.toPlainText(), written.toPlainText());
    // Per cent signs stay on the line of their numbers.
    EXPECT_TRUE(read.toRawText().contains(u"42,5\u00A0%"));
    EXPECT_EQ(read.metaInformation(QTextDocument::DocumentTitle),
              "Подробная информация о мужчине — Аня");
    EXPECT_TRUE(read.toPlainText().startsWith("Подробная информация о мужчине — Аня\n"));
    // Writing afresh replaces the earlier report.
    WriteDetailReport(written, Prognose.Woman, Prognose.Man, false, {});
    EXPECT_EQ(written.toPlainText().count("Подробная информация"), 1);
    EXPECT_FALSE(written.toPlainText().contains("о мужчине"));

    // The viewer shows it through RTF. (Its word wrap and saving: InfoViewerTest.)
    QWidget owner;
    owner.show();
    OnModal(&owner, [&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), DetailReportCaption(false));
        if (const auto* reInfo = modal->findChild<QTextEdit*>(QStringLiteral("reInfo"))) {
            EXPECT_EQ(reInfo->toPlainText(), written.toPlainText());
        } else {
            ADD_FAILURE() << "no viewer";
        }
        modal->close();
    });
    ShowInfoViewer(&owner, DetailReportCaption(false), written);
    EXPECT_TRUE(owner.findChildren<TInfoViewerForm*>().isEmpty());
}
