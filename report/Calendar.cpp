#include "report/Calendar.h"

#include "OrvantaVersion.h"
#include "base/LanguageForms.h"
#include "base/TextTable.h"
#include "base/Vocabulary.h"
#include "model/Report.h"
#include "report/CoupleReport.h"
#include "report/ReportFormat.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace {

enum class DayKind { Critical, Unfavourable, Good, Bad };

constexpr std::array<std::string_view, 4> KindKeys{"critical", "unfavourable", "good", "bad"};

// "20090105".
std::string BasicDate(TDateTime date) {
    std::string text = IsoDate(date);
    std::erase(text, '-');
    return text;
}

struct TPersonWords {
    const TDatalogging& Person;
    bool Man;
    std::vector<CycleKind> InUse;

    std::string Name() const { return PersonName(Man); }

    TCalendarEvent Event(DayKind kind, TDateTime first, TDateTime last, std::string summary,
                         const std::string& what) const {
        TCalendarEvent event;
        event.Uid = std::string(KindKeys[static_cast<std::size_t>(kind)]) + "-" +
                    (Man ? "man" : "woman") + "-" + BasicDate(Person.BirthDate) + "-" +
                    BasicDate(first) + "@orvanta";
        event.First = first;
        event.Last = last;
        event.Summary = std::move(summary);
        event.Description =
            FormatTextOf({"Calendar", "Birth"}, {Name(), LongDateForm(Person.BirthDate)}) + "\n" +
            what;
        for (TDateTime day = first; day <= last; day += 1)
            event.Description +=
                "\n" + FormatTextOf({"Calendar", "Values"},
                                    {LongDateForm(day),
                                     ReadingText(ReadingOn(Person.BirthDate, day, InUse))});
        return event;
    }
};

} // namespace

std::optional<TCalendarSpan> CalendarSpan(TDateTime prognoseDate, int monthsAfter) {
    const auto ymd = DecodeDate(prognoseDate);
    if (!ymd || monthsAfter < 0 || monthsAfter > MaxMonthsAfter)
        return std::nullopt;
    const int y = int{ymd->year()};
    const int m = static_cast<int>(unsigned{ymd->month()});
    // The last month counted from January of year 0.
    const int lastMonth = y * 12 + (m - 1) + 1 + monthsAfter;
    const int lastYear = lastMonth / 12;
    const auto lastMonthOfYear = static_cast<unsigned>(lastMonth % 12 + 1);
    const TDateTime first = *EncodeDate(y, static_cast<unsigned>(m), 1);
    if (lastYear > MaxYear)
        return TCalendarSpan{first, *EncodeDate(MaxYear, 12, 31)};
    return TCalendarSpan{
        first, *EncodeDate(lastYear, lastMonthOfYear, DaysInMonth(lastYear, lastMonthOfYear))};
}

std::vector<TCalendarEvent> PersonEvents(const TDatalogging& person, bool man, TDateTime first,
                                         TDateTime last) {
    std::vector<TCalendarEvent> events;
    const TDateTime birth = person.BirthDate;
    if (!DecodeDate(birth) || !DecodeDate(first) || !DecodeDate(last) || last < first)
        return events;
    const TPersonWords words{person, man, CyclesInUse()};
    const std::string name = words.Name();

    for (TDateTime day = std::max(first, birth); day <= last; day += 1) {
        std::vector<CycleKind> critical;
        for (CycleKind kind : AllCycles)
            if (IsCriticalDay(static_cast<std::int32_t>(day - birth), kind))
                critical.push_back(kind);
        if (critical.empty())
            continue;
        const std::string cycles = CycleWords(critical);
        events.push_back(words.Event(
            DayKind::Critical, day, day, FormatTextOf({"Calendar", "Critical"}, {name, cycles}),
            FormatTextOf(critical.size() == 1 ? TTextKey{"Calendar", "Critical.TextOne"}
                                              : TTextKey{"Calendar", "Critical.Text"},
                         {cycles})));
    }

    for (const TDaySpan& span : UnfavourableDays(birth, words.InUse, first, last))
        events.push_back(words.Event(
            DayKind::Unfavourable, span.First, span.Last,
            FormatTextOf(span.First == span.Last ? TTextKey{"Calendar", "Unfavourable.Day"}
                                                 : TTextKey{"Calendar", "Unfavourable.Days"},
                         {name}),
            FormatTextOf({"Calendar", "Unfavourable.Text"}, {CycleWords(span.Cycles)})));

    // The sums from the day before `first` to the day after `last`, as the nearest good and bad
    // day search forms them; a day counts only when the day before it is lived.
    if (!words.InUse.empty()) {
        std::vector<long double> sums;
        for (TDateTime day = first - 1; day <= last + 1; day += 1)
            sums.push_back(person.DailySum(day));
        std::vector<std::string> inUse;
        for (CycleKind kind : words.InUse)
            inUse.push_back(CycleWord(kind));
        const std::string cycles = JoinWithAnd(inUse);
        for (std::size_t i = 1; i + 1 < sums.size(); ++i) {
            const TDateTime day = first - 1 + static_cast<TDateTime>(i);
            if (day - 1 < birth)
                continue;
            if (sums[i] > sums[i - 1] && sums[i] > sums[i + 1])
                events.push_back(words.Event(DayKind::Good, day, day,
                                             FormatTextOf({"Calendar", "Good"}, {name}),
                                             FormatTextOf({"Calendar", "Good.Text"}, {cycles})));
            if (sums[i] < sums[i - 1] && sums[i] < sums[i + 1])
                events.push_back(words.Event(DayKind::Bad, day, day,
                                             FormatTextOf({"Calendar", "Bad"}, {name}),
                                             FormatTextOf({"Calendar", "Bad.Text"}, {cycles})));
        }
    }

    std::stable_sort(
        events.begin(), events.end(),
        [](const TCalendarEvent& a, const TCalendarEvent& b) { return a.First < b.First; });
    return events;
}

std::vector<bool> ShownPersons(int displayMode) {
    switch (displayMode) {
    case 0:
        return {true, false};
    case 1:
        return {false};
    case 2:
        return {true};
    default:
        return {};
    }
}

std::vector<TCalendarEvent> CalendarEvents(const TBiorhythmPrognose& prognose, int displayMode,
                                           TCalendarSpan span) {
    std::vector<TCalendarEvent> events;
    for (const bool man : ShownPersons(displayMode)) {
        auto person = PersonEvents(man ? prognose.Man : prognose.Woman, man, span.First, span.Last);
        events.insert(events.end(), std::make_move_iterator(person.begin()),
                      std::make_move_iterator(person.end()));
    }
    return events;
}

namespace {

std::string EscapeText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out;
}

// A content line folded into lines of at most 75 bytes, never inside a UTF-8 character.
std::string Folded(std::string_view line) {
    std::string out;
    std::size_t limit = 75;
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += std::string(line.substr(0, cut)) + "\r\n ";
        line.remove_prefix(cut);
        limit = 74; // the leading blank counts
    }
    return out + std::string(line) + "\r\n";
}

std::string StampText(std::chrono::sys_seconds stamp) {
    using namespace std::chrono;
    const auto day = floor<days>(stamp);
    const year_month_day ymd{day};
    const hh_mm_ss time{stamp - day};
    return ZeroPadded(int{ymd.year()}, 4) + ZeroPadded(static_cast<int>(unsigned{ymd.month()}), 2) +
           ZeroPadded(static_cast<int>(unsigned{ymd.day()}), 2) + "T" +
           ZeroPadded(static_cast<int>(time.hours().count()), 2) +
           ZeroPadded(static_cast<int>(time.minutes().count()), 2) +
           ZeroPadded(static_cast<int>(time.seconds().count()), 2) + "Z";
}

} // namespace

std::chrono::sys_seconds NowInWholeSeconds() {
    return std::chrono::sys_seconds(std::chrono::seconds(std::time(nullptr)));
}

std::string CalendarText(const std::vector<TCalendarEvent>& events,
                         std::chrono::sys_seconds stamp) {
    std::string out;
    const auto line = [&out](std::string_view text) { out += Folded(text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Orvanta//Orvanta " + std::string(ProgramVersion) + "//RU");
    line("CALSCALE:GREGORIAN");
    line("X-WR-CALNAME:" + EscapeText(TextOf({"Calendar", "Name"})));
    const std::string stampText = StampText(stamp);
    for (const TCalendarEvent& event : events) {
        line("BEGIN:VEVENT");
        line("UID:" + EscapeText(event.Uid));
        line("DTSTAMP:" + stampText);
        line("DTSTART;VALUE=DATE:" + BasicDate(event.First));
        // The day after 31 December 9999 has no date of four digits: a duration says the same.
        if (DecodeDate(event.Last + 1))
            line("DTEND;VALUE=DATE:" + BasicDate(event.Last + 1));
        else
            line("DURATION:P" + std::to_string(static_cast<long>(event.Last - event.First) + 1) +
                 "D");
        line("SUMMARY:" + EscapeText(event.Summary));
        line("DESCRIPTION:" + EscapeText(event.Description));
        line("TRANSP:TRANSPARENT");
        line("END:VEVENT");
    }
    line("END:VCALENDAR");
    return out;
}
