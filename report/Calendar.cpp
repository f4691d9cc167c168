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

enum class DayKind { Critical, Unfavourable, Good, Bad, GoodForBoth, HardForBoth };

constexpr std::array<std::string_view, 6> KindKeys{"critical", "unfavourable", "good",
                                                   "bad",      "goodforboth",  "hardforboth"};

// "20090105".
std::string BasicDate(TDateTime date) {
    std::string text = IsoDate(date);
    std::erase(text, '-');
    return text;
}

// The cycles in use as words in a sentence: "физический и сердечный".
std::string InUseWords(TCycleSet inUse) {
    std::vector<std::string> words;
    for (CycleKind kind : inUse.Kinds())
        words.push_back(CycleWord(kind));
    return JoinWithAnd(words);
}

struct TPersonWords {
    TDateTime Birth;
    bool Man;
    TCycleSet InUse;

    std::string Name() const { return PersonName(Man); }

    TCalendarEvent Event(DayKind kind, TDateTime first, TDateTime last, std::string summary,
                         const std::string& what) const {
        TCalendarEvent event;
        event.Uid = std::string(KindKeys[static_cast<std::size_t>(kind)]) + "-" +
                    (Man ? "man" : "woman") + "-" + BasicDate(Birth) + "-" + BasicDate(first) +
                    "@orvanta";
        event.First = first;
        event.Last = last;
        event.Summary = std::move(summary);
        event.Description =
            FormatTextOf({"Calendar", "Birth"}, {Name(), LongDateForm(Birth)}) + "\n" + what;
        for (TDateTime day = first; day <= last; day += 1) {
            event.Description += '\n';
            event.Description +=
                FormatTextOf({"Calendar", "Values"},
                             {LongDateForm(day), ReadingText(ReadingOn(Birth, day, InUse))});
        }
        return event;
    }
};

void AddCriticalDays(const TPersonWords& words, TDateTime first, TDateTime last,
                     std::vector<TCalendarEvent>& events) {
    for (TDateTime day = std::max(first, words.Birth); day <= last; day += 1) {
        std::vector<CycleKind> critical;
        for (CycleKind kind : AllCycles)
            if (IsCriticalDay(static_cast<std::int32_t>(day - words.Birth), kind))
                critical.push_back(kind);
        if (critical.empty())
            continue;
        const std::string cycles = CycleWords(critical);
        events.push_back(
            words.Event(DayKind::Critical, day, day,
                        FormatTextOf({"Calendar", "Critical"}, {words.Name(), cycles}),
                        FormatTextOf(critical.size() == 1 ? TTextKey{"Calendar", "Critical.TextOne"}
                                                          : TTextKey{"Calendar", "Critical.Text"},
                                     {cycles})));
    }
}

void AddUnfavourableDays(const TPersonWords& words, TDateTime first, TDateTime last,
                         std::vector<TCalendarEvent>& events) {
    for (const TDaySpan& span : UnfavourableDays(words.Birth, words.InUse.Kinds(), first, last))
        events.push_back(words.Event(
            DayKind::Unfavourable, span.First, span.Last,
            FormatTextOf(span.First == span.Last ? TTextKey{"Calendar", "Unfavourable.Day"}
                                                 : TTextKey{"Calendar", "Unfavourable.Days"},
                         {words.Name()}),
            FormatTextOf({"Calendar", "Unfavourable.Text"}, {CycleWords(span.Cycles)})));
}

// The good and bad days, as the nearest good and bad day search finds them.
void AddGoodAndBadDays(const TPersonWords& words, TDateTime first, TDateTime last,
                       std::vector<TCalendarEvent>& events) {
    const std::string cycles = InUseWords(words.InUse);
    ForEachTurningDay(words.Birth, words.InUse, first, last, [&](const TTurningDay& turn) {
        events.push_back(words.Event(
            turn.Good ? DayKind::Good : DayKind::Bad, turn.Day, turn.Day,
            FormatTextOf(turn.Good ? TTextKey{"Calendar", "Good"} : TTextKey{"Calendar", "Bad"},
                         {words.Name()}),
            FormatTextOf(turn.Good ? TTextKey{"Calendar", "Good.Text"}
                                   : TTextKey{"Calendar", "Bad.Text"},
                         {cycles})));
        return true;
    });
}

// The days good and hard for both, named by both dates of birth and the day.
void AddCoupleDays(const TCouple& couple, TCalendarSpan span, TCycleSet cycles,
                   std::vector<TCalendarEvent>& events) {
    const std::string inUse = InUseWords(cycles);
    for (const TCoupleDay& day : CoupleDays(couple, cycles, span.First, span.Last)) {
        TCalendarEvent event;
        event.Uid = std::string(KindKeys[static_cast<std::size_t>(
                        day.Good ? DayKind::GoodForBoth : DayKind::HardForBoth)]) +
                    "-" + BasicDate(couple.ManBirth) + "-" + BasicDate(couple.WomanBirth) + "-" +
                    BasicDate(day.Day) + "@orvanta";
        event.First = event.Last = day.Day;
        event.Summary = TextOf(day.Good ? TTextKey{"Couple", "GoodForBoth"}
                                        : TTextKey{"Couple", "HardForBoth"});
        for (const bool man : {true, false})
            event.Description += FormatTextOf({"Calendar", "Birth"},
                                              {PersonName(man), LongDateForm(couple.Birth(man))}) +
                                 "\n";
        event.Description += FormatTextOf(day.Good ? TTextKey{"Calendar", "GoodForBoth.Text"}
                                                   : TTextKey{"Calendar", "HardForBoth.Text"},
                                          {inUse});
        events.push_back(std::move(event));
    }
}

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

std::vector<TCalendarEvent> PersonEvents(TDateTime birth, bool man, TDateTime first, TDateTime last,
                                         TCycleSet cycles) {
    std::vector<TCalendarEvent> events;
    if (!DecodeDate(birth) || !DecodeDate(first) || !DecodeDate(last) || last < first)
        return events;
    const TPersonWords words{birth, man, cycles};
    AddCriticalDays(words, first, last, events);
    AddUnfavourableDays(words, first, last, events);
    AddGoodAndBadDays(words, first, last, events);
    std::stable_sort(
        events.begin(), events.end(),
        [](const TCalendarEvent& a, const TCalendarEvent& b) { return a.First < b.First; });
    return events;
}

std::vector<TCalendarEvent> CalendarEvents(const TCouple& couple, int displayMode,
                                           TCalendarSpan span, TCycleSet cycles) {
    std::vector<TCalendarEvent> events;
    for (const bool man : ShownPersons(displayMode)) {
        auto person = PersonEvents(couple.Birth(man), man, span.First, span.Last, cycles);
        events.insert(events.end(), std::make_move_iterator(person.begin()),
                      std::make_move_iterator(person.end()));
    }
    if (displayMode == 0)
        AddCoupleDays(couple, span, cycles, events);
    if (!couple.Name.empty())
        for (TCalendarEvent& event : events) {
            event.Description += '\n';
            event.Description += FormatTextOf({"Calendar", "Couple"}, {couple.Name});
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

std::string CalendarFile(const TCouple& couple, TDateTime prognoseDate, int monthsAfter,
                         int displayMode, TCycleSet cycles, std::chrono::sys_seconds stamp) {
    std::vector<TCalendarEvent> events;
    if (const auto span = CalendarSpan(prognoseDate, monthsAfter))
        events = CalendarEvents(couple, displayMode, *span, cycles);
    return CalendarText(events, stamp, couple.Name);
}

std::chrono::sys_seconds NowInWholeSeconds() {
    return std::chrono::sys_seconds(std::chrono::seconds(std::time(nullptr)));
}

std::string CalendarText(const std::vector<TCalendarEvent>& events, std::chrono::sys_seconds stamp,
                         const std::string& coupleName) {
    std::string out;
    const auto line = [&out](std::string_view text) { out += Folded(text); };
    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Orvanta//Orvanta " + std::string(ProgramVersion) + "//RU");
    line("CALSCALE:GREGORIAN");
    line("X-WR-CALNAME:" + EscapeText(Titled(TextOf({"Calendar", "Name"}), coupleName)));
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
