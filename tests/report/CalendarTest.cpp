#include "report/Calendar.h"
#include "tests/CycleFormulas.h"
#include "tests/TestSupport.h"
#include "tests/report/IcalSupport.h"

#include "base/Vocabulary.h"
#include "model/Report.h"
#include "report/ReportFormat.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>
#include <tuple>

namespace {

using namespace cycle_letters;

constexpr std::array<const char*, 4> Words{"физический", "эмоциональный", "интеллектуальный",
                                           "сердечный"};

class CalendarTest : public ::testing::Test {
protected:
    void SetUp() override { InstallBuiltInNames(); }
};

std::string Kind(const TParsedEvent& event) {
    return event.Uid.substr(0, event.Uid.find('-'));
}

} // namespace

TEST_F(CalendarTest, Spans) {
    struct Row {
        TDateTime date;
        int months;
        std::optional<TCalendarSpan> span;
    };
    const Row rows[] = {
        {Date(2009, 1, 5), 12, TCalendarSpan{Date(2009, 1, 1), Date(2010, 2, 28)}},
        {Date(2009, 1, 5), 0, TCalendarSpan{Date(2009, 1, 1), Date(2009, 2, 28)}},
        {Date(2023, 12, 31), 1, TCalendarSpan{Date(2023, 12, 1), Date(2024, 2, 29)}},
        {Date(2024, 11, 10), 2, TCalendarSpan{Date(2024, 11, 1), Date(2025, 2, 28)}},
        {Date(2000, 6, 15), 120, TCalendarSpan{Date(2000, 6, 1), Date(2010, 7, 31)}},
        {Date(9999, 6, 15), 12, TCalendarSpan{Date(9999, 6, 1), Date(9999, 12, 31)}},
        {Date(9999, 12, 31), 0, TCalendarSpan{Date(9999, 12, 1), Date(9999, 12, 31)}},
        {Date(2009, 1, 5), -1, std::nullopt},
        {Date(2009, 1, 5), 121, std::nullopt},
        {Date(1, 1, 1) - 1, 12, std::nullopt},
    };
    for (const Row& row : rows) {
        const auto span = CalendarSpan(row.date, row.months);
        SCOPED_TRACE(IsoDate(row.date) + " + " + std::to_string(row.months));
        ASSERT_EQ(span.has_value(), row.span.has_value());
        if (span) {
            EXPECT_EQ(span->First, row.span->First);
            EXPECT_EQ(span->Last, row.span->Last);
        }
    }
}

TEST_F(CalendarTest, EventsAreTheModelsDays) {
    struct Row {
        TDateTime birth;
        bool man;
        TDateTime prognose;
        int months;
        std::vector<CycleKind> inUse;
        std::string birthLine; // the first line of every description: one full stop
    };
    const Row rows[] = {
        {Date(1982, 12, 23),
         true,
         Date(2009, 1, 5),
         12,
         {P, E, I, H},
         "Мужчина, дата рождения 23 декабря 1982 г."},
        {Date(1983, 9, 29),
         false,
         Date(2009, 1, 5),
         3,
         {P, E, I},
         "Женщина, дата рождения 29 сентября 1983 г."},
        {Date(1980, 5, 17),
         true,
         Date(2001, 1, 31),
         0,
         {H},
         "Мужчина, дата рождения 17 мая 1980 г."},
        // Born inside the span: nothing before the day of birth, which is critical for all.
        {Date(2024, 3, 10),
         false,
         Date(2024, 2, 14),
         2,
         {E, H},
         "Женщина, дата рождения 10 марта 2024 г."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(IsoDate(row.birth) + " on " + IsoDate(row.prognose));
        TCycleSet cycles;
        for (CycleKind kind : row.inUse)
            cycles.Set(kind, true);
        TDatalogging person;
        person.SetBirthDate(row.birth);
        person.UpdatePerson(row.prognose, ChartWindow(row.prognose), cycles);
        const TCalendarSpan span = *CalendarSpan(row.prognose, row.months);
        const auto events = PersonEvents(row.birth, row.man, span.First, span.Last, cycles);
        const std::string text =
            CalendarText(events, std::chrono::sys_days{} + std::chrono::hours{1});
        EXPECT_EQ(BadLine(text), "");
        const TParsedCalendar calendar = ParseCalendar(text);
        ASSERT_TRUE(calendar.Parsed);
        EXPECT_EQ(calendar.Errors, 0) << text.substr(0, 2000);
        EXPECT_EQ(calendar.Name, "Орванта: критические дни");
        ASSERT_EQ(calendar.Events.size(), events.size());

        // Critical days: the detail report's lists of the four cycles, one event a day that
        // names the cycles of the day.
        std::map<TDateTime, std::set<CycleKind>> critical;
        for (CycleKind kind : AllCycles)
            for (TDateTime day : CriticalDays(row.birth, kind, span.First, span.Last))
                critical[day].insert(kind);
        std::vector<std::pair<TDateTime, TDateTime>> unfavourable;
        std::vector<TDateTime> good;
        std::vector<TDateTime> bad;
        std::set<std::string> uids;
        const std::string who = row.man ? "Мужчина" : "Женщина";
        for (const TParsedEvent& event : calendar.Events) {
            EXPECT_TRUE(event.AllDay);
            EXPECT_TRUE(uids.insert(event.Uid).second) << event.Uid;
            EXPECT_EQ(event.Description.substr(0, event.Description.find('\n')), row.birthLine);
            EXPECT_GE(event.First, std::max(span.First, row.birth));
            EXPECT_LE(event.Last, span.Last);
            const std::string kind = Kind(event);
            if (kind == "critical") {
                EXPECT_EQ(event.First, event.Last);
                const auto found = critical.find(event.First);
                ASSERT_NE(found, critical.end()) << IsoDate(event.First);
                for (CycleKind cycle : AllCycles)
                    EXPECT_EQ(event.Summary.find(Words[static_cast<std::size_t>(cycle)]) !=
                                  std::string::npos,
                              found->second.contains(cycle))
                        << event.Summary;
                critical.erase(found);
            } else if (kind == "unfavourable") {
                unfavourable.emplace_back(event.First, event.Last);
            } else if (kind == "good") {
                EXPECT_EQ(event.Summary, who + ": хороший день");
                good.push_back(event.First);
            } else {
                ASSERT_EQ(kind, "bad");
                EXPECT_EQ(event.Summary, who + ": плохой день");
                bad.push_back(event.First);
            }
        }
        EXPECT_TRUE(critical.empty());

        std::vector<std::pair<TDateTime, TDateTime>> spans;
        for (const TDaySpan& s : UnfavourableDays(row.birth, row.inUse, span.First, span.Last))
            spans.emplace_back(s.First, s.Last);
        EXPECT_EQ(unfavourable, spans);

        // Good and bad days: every strict peak and trough of the sum of the cycles in use.
        // Where two days' sums are equal but for rounding (the heart cycle alone peaks between
        // two days), either may be the one taken, as for the nearest good day.
        const auto compare = [](long double a, long double b) {
            return a > b + 1e-9 ? 1 : a < b - 1e-9 ? -1 : 0;
        };
        // The day of birth is no good or bad day: the day before it has no sum.
        for (TDateTime day = span.First; day <= std::min(row.birth, span.Last); day += 1) {
            EXPECT_EQ(std::find(good.begin(), good.end(), day), good.end());
            EXPECT_EQ(std::find(bad.begin(), bad.end(), day), bad.end());
        }
        unsigned mask = 0;
        for (CycleKind kind : row.inUse)
            mask |= 1u << static_cast<unsigned>(kind);
        const auto sum = [&](TDateTime day) { return formula::Sum(day, row.birth, mask); };
        for (TDateTime day = std::max(span.First, row.birth + 1); day <= span.Last; day += 1) {
            const int before = compare(sum(day), sum(day - 1));
            const int after = compare(sum(day), sum(day + 1));
            const bool isGood = std::find(good.begin(), good.end(), day) != good.end();
            const bool isBad = std::find(bad.begin(), bad.end(), day) != bad.end();
            SCOPED_TRACE(IsoDate(day));
            const bool tie = before == 0 && after == 0;
            EXPECT_TRUE(isGood || !(before > 0 && after > 0));
            EXPECT_TRUE(!isGood || (before >= 0 && after >= 0 && !tie));
            EXPECT_TRUE(isBad || !(before < 0 && after < 0));
            EXPECT_TRUE(!isBad || (before <= 0 && after <= 0 && !tie));
        }
        // The nearest good and bad day the panels show are among them.
        for (const auto& [day, list] :
             {std::pair{person.GoodDay, &good}, std::pair{person.BadDay, &bad}}) {
            if (day == 0)
                continue;
            const auto first = std::find_if(list->begin(), list->end(),
                                            [&](TDateTime d) { return d >= row.prognose; });
            ASSERT_NE(first, list->end());
            EXPECT_EQ(*first, day);
        }
    }
}

TEST_F(CalendarTest, SummariesUidsAndTheFileLayout) {
    const TDateTime man = Date(2009, 1, 1);
    const TCycleSet all = TCycleSet::All();
    // Day 72 of life, 14 March 2009: physical and emotional critical together.
    const auto events = PersonEvents(man, true, Date(2009, 3, 14), Date(2009, 3, 14), all);
    std::vector<std::string> summaries;
    for (const TCalendarEvent& event : events)
        summaries.push_back(event.Summary);
    EXPECT_EQ(summaries,
              (std::vector<std::string>{"Мужчина: критический день (физический и эмоциональный "
                                        "циклы)",
                                        "Мужчина: особо неблагоприятный день"}));
    EXPECT_EQ(events[0].Uid, "critical-man-20090101-20090314@orvanta");
    EXPECT_EQ(events[1].Uid, "unfavourable-man-20090101-20090314@orvanta");
    EXPECT_NE(events[0].Description.find("физический и эмоциональный циклы переходят через ноль"),
              std::string::npos);

    // Exported again later: the same events under the same UIDs, only the stamp differs; a
    // different date of birth is a different person.
    const auto at = [](int hours) { return std::chrono::sys_days{} + std::chrono::hours{hours}; };
    const std::string first = CalendarText(events, at(1));
    const std::string again = CalendarText(events, at(50));
    EXPECT_NE(first, again);
    EXPECT_NE(first.find("DTSTAMP:19700101T010000Z\r\n"), std::string::npos);
    EXPECT_NE(again.find("DTSTAMP:19700103T020000Z\r\n"), std::string::npos);
    const auto uids = [](const std::string& text) {
        std::vector<std::string> list;
        for (const TParsedEvent& event : ParseCalendar(text).Events)
            list.push_back(event.Uid);
        return list;
    };
    EXPECT_EQ(uids(first), uids(again));
    EXPECT_NE(
        PersonEvents(Date(2009, 1, 2), true, Date(2009, 3, 1), Date(2009, 3, 31), all).front().Uid,
        PersonEvents(man, true, Date(2009, 3, 1), Date(2009, 3, 31), all).front().Uid);

    // Texts with the characters RFC 5545 escapes, long Cyrillic lines folded between
    // characters, and the last day of the calendar, which has no day after it.
    std::string longText;
    for (int i = 0; i < 40; ++i)
        longText += "Ёжик; в тумане, \\ шёл\n";
    const std::vector<TCalendarEvent> tricky{
        {"a;b,c@orvanta", Date(9999, 12, 31), Date(9999, 12, 31), "x;y,z\\w", longText},
        {"two@orvanta", Date(9999, 12, 30), Date(9999, 12, 31), std::string(200, 'a'), "ю"},
        {"three@orvanta", Date(2009, 1, 31), Date(2009, 2, 2), "т", "\n"},
    };
    const std::string text = CalendarText(tricky, at(0));
    EXPECT_EQ(BadLine(text), "");
    // Some readers take an unescaped comma for a list; libical does not mind.
    EXPECT_NE(text.find("\r\nSUMMARY:x\\;y\\,z\\\\w\r\n"), std::string::npos);
    const TParsedCalendar calendar = ParseCalendar(text);
    EXPECT_EQ(calendar.Errors, 0);
    ASSERT_EQ(calendar.Events.size(), tricky.size());
    for (std::size_t i = 0; i < tricky.size(); ++i) {
        const TParsedEvent& e = calendar.Events[i];
        const TCalendarEvent& t = tricky[i];
        EXPECT_EQ(std::tie(e.Uid, e.Summary, e.Description, e.First, e.Last),
                  std::tie(t.Uid, t.Summary, t.Description, t.First, t.Last));
    }
    EXPECT_EQ(ParseCalendar(CalendarText({}, at(0))).Errors, 0);
}

TEST_F(CalendarTest, DaysGoodAndHardForBothOfANamedCouple) {
    // Both means above zero and their sum a peak, or both below and a dip (worked out apart);
    // named by both dates of birth and the day, so that exporting again replaces them.
    const std::string good = "Хороший день для обоих", hard = "Трудный день для обоих";
    const std::set<std::tuple<std::string, std::string, TDateTime>> expected{
        {"hardforboth-19821223-19830929-20090109@orvanta", hard, Date(2009, 1, 9)},
        {"goodforboth-19821223-19830929-20090122@orvanta", good, Date(2009, 1, 22)},
        {"hardforboth-19821223-19830929-20090204@orvanta", hard, Date(2009, 2, 4)},
        {"goodforboth-19821223-19830929-20090217@orvanta", good, Date(2009, 2, 17)}};
    const std::string name = "Аня; \"Петя\", \\ и Ёжик 🦔";
    const auto file = [&](int mode) {
        return CalendarFile({Date(1982, 12, 23), Date(1983, 9, 29), name}, Date(2009, 1, 5), 0,
                            mode, TCycleSet::All(), std::chrono::sys_days{});
    };
    const TParsedCalendar calendar = ParseCalendar(file(0));
    EXPECT_EQ(calendar.Errors, 0);
    EXPECT_EQ(calendar.Name, "Орванта: критические дни — " + name);
    std::set<std::tuple<std::string, std::string, TDateTime>> both;
    std::set<std::string> uids;
    for (const TParsedEvent& event : calendar.Events) {
        EXPECT_TRUE(uids.insert(event.Uid).second) << event.Uid;
        EXPECT_TRUE(event.Description.ends_with("\nПара: " + name + ".")) << event.Description;
        if (Kind(event).ends_with("forboth"))
            both.emplace(event.Uid, event.Summary, event.First);
    }
    EXPECT_EQ(both, expected);
    // Only when both are shown.
    for (const TParsedEvent& event : ParseCalendar(file(1)).Events)
        EXPECT_FALSE(Kind(event).ends_with("forboth")) << event.Uid;
}
