#include "ProgramFixture.h"
#include "tests/CycleFormulas.h"
#include "widgets/ImageCanvas.h"
#include "widgets/ImageList.h"

#include <QAction>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <tuple>
#include <vector>

namespace {

const char* const Genitive[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                "июля",   "августа", "сентября", "октября", "ноября", "декабря"};

// A found day as the panels write it: "5 января 2009 г.", or a dash for none.
QString DayText(double day) {
    using namespace std::chrono;
    if (day == 0)
        return QStringLiteral("—");
    const year_month_day ymd{sys_days{1899y / December / 30} + days{static_cast<int>(day)}};
    return QStringLiteral("%1 %2 %3 г.")
        .arg(unsigned{ymd.day()})
        .arg(QString::fromUtf8(Genitive[unsigned{ymd.month()} - 1]))
        .arg(int{ymd.year()});
}

class PanelsTest : public TProgramFixture {
protected:
    QLabel* Label(const QString& name) const { return Find<QLabel>(name.toLatin1().constData()); }
    QString Text(const QString& label) const { return Label(label)->text(); }
    QImage Picture(const QString& image) const { return Label(image)->pixmap().toImage(); }
    static QImage Informer(int index) { return ilInformers().Pixmap(index).toImage(); }
    QImage Chart(int index) const { return form->Chart(index)->Image(); }
    void SetDate(const char* picker, QDate date) { Find<QDateEdit>(picker)->setDate(date); }
};

} // namespace

TEST_F(PanelsTest, SignNamesAndPicturesOfEverySign) {
    // Each sign's first day for the man and its last day for the woman.
    const struct {
        int sign;
        QDate first, last;
        const char* name;
        int element;
    } signs[] = {
        {1, {1980, 3, 21}, {1981, 4, 20}, "Овен", 3},
        {2, {1980, 4, 21}, {1981, 5, 21}, "Телец", 1},
        {3, {1980, 5, 22}, {1981, 6, 21}, "Близнецы", 4},
        {4, {1980, 6, 22}, {1981, 7, 22}, "Рак", 2},
        {5, {1980, 7, 23}, {1981, 8, 23}, "Лев", 3},
        {6, {1980, 8, 24}, {1981, 9, 23}, "Дева", 1},
        {7, {1980, 9, 24}, {1981, 10, 22}, "Весы", 4},
        {8, {1980, 10, 23}, {1981, 11, 22}, "Скорпион", 2},
        {9, {1980, 11, 23}, {1981, 12, 21}, "Стрелец", 3},
        {10, {1980, 12, 22}, {1981, 1, 20}, "Козерог", 1},
        {11, {1980, 1, 21}, {1981, 2, 19}, "Водолей", 4},
        {12, {1980, 2, 20}, {1981, 3, 20}, "Рыбы", 2},
    };
    const char* const elements[] = {"Земля", "Вода", "Огонь", "Воздух"};
    Start();
    for (const auto& s : signs) {
        SCOPED_TRACE(s.name);
        SetDate("dtpManDateDay", s.first);
        SetDate("dtpWomanDateDay", s.last);
        for (const char* p : {"M", "W"}) {
            const auto name = [p](const char* what) { return QString::fromLatin1(what).arg(p); };
            EXPECT_EQ(Text(name("lb%1Zodiac")), QString::fromUtf8(s.name)) << p;
            EXPECT_EQ(Text(name("lb%1Element")), QString::fromUtf8(elements[s.element - 1])) << p;
            EXPECT_EQ(Picture(name("im%1Zodiac")), Informer(s.sign)) << p;
            EXPECT_EQ(Picture(name("im%1Element")), Informer(16 + s.element)) << p;
        }
    }
    // The result pictures, which start-up puts there.
    for (const char* p : {"M", "W"})
        for (const auto& [image, index] :
             {std::pair{"QuanDays", 13}, {"MaxDay", 14}, {"MinDay", 15}, {"Age", 16}})
            EXPECT_EQ(Picture(QStringLiteral("im%1%2").arg(p, image)), Informer(index))
                << p << image;
}

TEST_F(PanelsTest, MonthNamesInTheCaptionAndAfterADayNumber) {
    Start();
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        SetDate("dtpPrognoseDate", QDate(2026, month, 17));
        EXPECT_EQ(Find<QGroupBox>("gbGraphics")->title(),
                  QStringLiteral("Графики биоритмов для %1 и %2")
                      .arg(QString::fromUtf8(Genitive[month - 1]),
                           QString::fromUtf8(Genitive[month % 12])));
        EXPECT_EQ(Find<QDateEdit>("dtpPrognoseDate")->text(),
                  QStringLiteral("17 %1 2026 г.").arg(QString::fromUtf8(Genitive[month - 1])));
    }
}

TEST_F(PanelsTest, EveryCombinationOfCyclesReachesTheDaysAndOnlyTheAverageChart) {
    Start();
    const QDate prognose(2026, 3, 10), man(1982, 12, 23), woman(1983, 9, 29);
    SetDate("dtpPrognoseDate", prognose);
    const auto day = [](QDate d) { return static_cast<double>(QDate(1899, 12, 30).daysTo(d)); };
    const QImage physical = Chart(0), heart = Chart(3);
    std::vector<QImage> averages;
    for (unsigned cycles = 1; cycles <= formula::AllCycles; ++cycles) {
        SCOPED_TRACE(testing::Message() << "cycles " << cycles);
        // As a user clicks: the wanted ones on first, so that one always stays on.
        for (bool on : {true, false})
            for (CycleKind kind : AllCycles)
                if (bool(cycles & (1u << static_cast<int>(kind))) == on)
                    DisplaySettings.SetFlag(CycleFlag(kind), on);
        for (const auto& [birth, good, bad] :
             {std::tuple{man, "lbMMaxDay", "lbMMinDay"}, {woman, "lbWMaxDay", "lbWMinDay"}}) {
            const auto e =
                formula::FirstExtrema(day(prognose), day(birth), day(QDate(2026, 4, 30)), cycles);
            if (e.tooCloseToCall)
                continue;
            EXPECT_EQ(Text(QString::fromLatin1(good)), DayText(e.good));
            EXPECT_EQ(Text(QString::fromLatin1(bad)), DayText(e.bad));
        }
        EXPECT_EQ(Chart(0), physical);
        EXPECT_EQ(Chart(3), heart);
        EXPECT_EQ(std::count(averages.begin(), averages.end(), Chart(4)), 0);
        averages.push_back(Chart(4));
    }
}

TEST_F(PanelsTest, EachPersonsColourOnTheirLabelsAndCurves) {
    constexpr TColor ManColor = 0x00A000, WomanColor = 0xA000A0;
    Start();
    DisplaySettings.ChangeManColor(ManColor);
    DisplaySettings.ChangeWomanColor(WomanColor);
    const auto count = [this](int chart, TColor color) {
        const QImage image = Chart(chart);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == ToQRgb(color);
        return n;
    };
    for (int chart = 0; chart < 5; ++chart) {
        EXPECT_GT(count(chart, ManColor), 20) << chart;
        EXPECT_GT(count(chart, WomanColor), 20) << chart;
        EXPECT_EQ(count(chart, clBlue) + count(chart, clRed), 0) << chart;
    }
    // The six value labels, bold; never the birth-date label.
    const auto colour = [this](const QString& name) {
        return Label(name)->palette().color(QPalette::WindowText).rgb();
    };
    for (const char* value : {"Zodiac", "Element", "Age", "QuanDays", "MaxDay", "MinDay"}) {
        for (const auto& [person, color] : {std::pair{"M", ManColor}, {"W", WomanColor}}) {
            const QString name = QStringLiteral("lb%1%2").arg(person, value);
            EXPECT_EQ(colour(name), ToQRgb(color)) << person << value;
            EXPECT_TRUE(Label(name)->font().bold()) << person << value;
        }
    }
    EXPECT_NE(colour(QStringLiteral("lbManDateDay")), ToQRgb(ManColor));
    EXPECT_NE(colour(QStringLiteral("lbWomanDateDay")), ToQRgb(WomanColor));
}
