#include "report/CoupleReport.h"

#include "base/LanguageForms.h"
#include "base/TextTable.h"

namespace {

constexpr std::array<TTextKey, 4> CycleNameKeys{
    TTextKey{"Report", "Cycle.Physical"}, TTextKey{"Report", "Cycle.Emotional"},
    TTextKey{"Report", "Cycle.Intellectual"}, TTextKey{"Report", "Cycle.Heart"}};
constexpr std::array<TTextKey, 4> CycleWordKeys{
    TTextKey{"Report", "Cycle.Physical.InList"}, TTextKey{"Report", "Cycle.Emotional.InList"},
    TTextKey{"Report", "Cycle.Intellectual.InList"}, TTextKey{"Report", "Cycle.Heart.InList"}};

// A reading from the values of the day and of the day after, `days` after birth.
// `kinds` are the cycles of `cycles` in order, made once by the caller rather than for each day.
TDayReading Reading(TDateTime day, std::int32_t days, const TCycleValues& today,
                    const TCycleValues& next, TCycleSet cycles, std::span<const CycleKind> kinds) {
    TDayReading reading;
    reading.Day = day;
    reading.Born = true;
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        reading.PercentTenths[i] = PercentTenthsOf(today[i]);
        reading.Trends[i] = TrendOf(today[i], next[i], days, kind);
    }
    if (cycles.Count() > 0) {
        const long double mean = MeanOf(today, cycles);
        reading.AverageTenths = PercentTenthsOf(mean);
        reading.AverageTrend = TrendOf(mean, MeanOf(next, cycles), days, kinds);
    }
    return reading;
}

// The day of life of a day; nothing before birth or outside years 1..9999.
std::optional<std::int32_t> DaysOfLife(TDateTime birth, TDateTime day) {
    if (!DecodeDate(birth) || !DecodeDate(day) || DateOf(day) < DateOf(birth))
        return std::nullopt;
    return static_cast<std::int32_t>(DateOf(day) - DateOf(birth));
}

} // namespace

TDayReading ReadingOn(TDateTime birth, TDateTime day, TCycleSet cycles) {
    const auto days = DaysOfLife(birth, day);
    if (!days) {
        TDayReading reading;
        reading.Day = day;
        return reading;
    }
    return Reading(day, *days, CycleValues(*days), CycleValues(*days + 1), cycles, cycles.Kinds());
}

std::optional<TReportSpan> ReportSpan(TDateTime date, std::optional<std::int32_t> days) {
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return std::nullopt;
    const TDateTime day = DateOf(date);
    if (days) {
        if (*days < 1 || *days > MaxReportDays || !DecodeDate(day + *days - 1))
            return std::nullopt;
        return TReportSpan{day, *days};
    }
    const auto window = ChartWindow(day);
    if (!window)
        return std::nullopt;
    return TReportSpan{window->FirstDay,
                       static_cast<std::int32_t>(window->LastDay - window->FirstDay) + 1};
}

TCoupleReport CoupleReport(const TCouple& couple, TDateTime date, TReportSpan span,
                           TCycleSet cycles) {
    TCoupleReport report;
    report.Date = date;
    report.Cycles = cycles.Kinds();
    for (const bool man : {true, false}) {
        TDatalogging person;
        person.SetBirthDate(couple.Birth(man));
        person.UpdatePerson(date, ChartWindow(date), cycles);
        TPersonReport& out = report.Persons[man ? 0 : 1];
        out.Man = man;
        out.Birth = person.BirthDate;
        out.ZodiacSign = person.ZodiacSign;
        out.Element = ElementOf(static_cast<unsigned>(person.ZodiacSign));
        out.AgeYears = person.AgeYears;
        out.DaysLived = person.DaysLived;
        out.GoodDay = person.GoodDay;
        out.BadDay = person.BadDay;
        out.Days.reserve(static_cast<std::size_t>(span.Count));
        // Day by day, each day's values are the day before's next values: half the sines. The
        // span's days are whole and consecutive, so a day after a day of life is the next one.
        TCycleValues next{};
        for (std::int32_t i = 0; i < span.Count; ++i) {
            const TDateTime day = span.First + i;
            const auto days = DaysOfLife(person.BirthDate, day);
            if (!days) {
                out.Days.push_back(ReadingOn(person.BirthDate, day, cycles));
                continue;
            }
            const TCycleValues today = i > 0 && out.Days.back().Born ? next : CycleValues(*days);
            next = CycleValues(*days + 1);
            out.Days.push_back(Reading(day, *days, today, next, cycles, report.Cycles));
        }
    }
    report.Compatibility = CoupleCompatibility(couple.ManBirth, couple.WomanBirth, cycles);
    report.Name = couple.Name;
    report.BothDays = CoupleDays(couple, cycles, span.First, span.First + span.Count - 1);
    return report;
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

std::vector<TReadoutLine> ReadoutLines(const TCouple& couple, TDateTime day, int chart,
                                       TCycleSet cycles, int displayMode) {
    std::vector<TReadoutLine> lines;
    for (const bool man : ShownPersons(displayMode)) {
        const TDayReading reading = ReadingOn(couple.Birth(man), day, cycles);
        std::vector<std::string> parts{ReadoutNameMark};
        if (!reading.Born) {
            parts.push_back(TextOf(man ? TTextKey{"Couple", "Man.NotBorn"}
                                       : TTextKey{"Couple", "Woman.NotBorn"}));
        } else if (chart < 4) {
            const auto i = static_cast<std::size_t>(chart);
            parts.push_back(PercentText(reading.PercentTenths[i], true));
            parts.emplace_back(TrendWord(reading.Trends[i]));
        } else if (reading.AverageTenths) {
            parts.push_back(PercentText(*reading.AverageTenths, true));
            parts.emplace_back(TrendWord(reading.AverageTrend));
        } else {
            parts.push_back(TextOf({"Couple", "NoCycles"}));
        }
        lines.push_back({man, FormatTextOf(parts.size() == 3 ? TTextKey{"Couple", "Readout.Line"}
                                                             : TTextKey{"Couple", "Readout.State"},
                                           parts)});
    }
    if (displayMode == 0)
        for (const TCoupleDay& both : CoupleDays(couple, cycles, day, day))
            lines.push_back({true, TextOf(both.Good ? TTextKey{"Couple", "GoodForBoth"}
                                                    : TTextKey{"Couple", "HardForBoth"})});
    return lines;
}

std::string Titled(std::string caption, const std::string& name) {
    return name.empty() ? caption : FormatTextOf({"Couples", "Titled"}, {std::move(caption), name});
}

const std::string& BothDaysLabel(bool good) {
    return TextOf(good ? TTextKey{"Couple", "GoodForBoth.Days"}
                       : TTextKey{"Couple", "HardForBoth.Days"});
}

std::string BothDaysText(const std::vector<TCoupleDay>& days, bool good) {
    std::string text;
    for (const TCoupleDay& day : days)
        if (day.Good == good) {
            if (!text.empty())
                text += ", ";
            text += LongDateForm(day.Day);
        }
    return text.empty() ? TextOf({"Couple", "NoDays"}) : text;
}

std::string PercentText(std::int32_t tenths, bool withSign) {
    // Appended piece by piece, as DecimalTenths is (GCC 12's false -Wrestrict).
    std::string text(withSign && tenths > 0 ? "+" : "");
    text += DecimalForm(tenths);
    text += "\u00A0%";
    return text;
}

const std::string& PersonName(bool man) {
    return TextOf(man ? TTextKey{"Couple", "Man"} : TTextKey{"Couple", "Woman"});
}

const std::string& CycleName(CycleKind kind) {
    return TextOf(CycleNameKeys[static_cast<std::size_t>(kind)]);
}

const std::string& CycleWord(CycleKind kind) {
    return TextOf(CycleWordKeys[static_cast<std::size_t>(kind)]);
}

std::string JoinWithAnd(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text +=
                i + 1 == items.size() ? " " + TextOf({"Report", "And"}) + " " : std::string(", ");
        text += items[i];
    }
    return text;
}

std::string CycleWords(const std::vector<CycleKind>& cycles) {
    std::vector<std::string> words;
    for (CycleKind kind : cycles)
        words.push_back(CycleWord(kind));
    const std::string list = JoinWithAnd(words);
    return FormatTextOf(cycles.size() == 1 ? TTextKey{"Couple", "Cycles.One"}
                                           : TTextKey{"Couple", "Cycles.Many"},
                        {list});
}

std::string_view TrendWord(CycleTrend trend) {
    return TextOf(trend == CycleTrend::Rising ? TTextKey{"Report", "Rising"}
                                              : TTextKey{"Report", "Falling"});
}

std::string ReadingText(const TDayReading& reading) {
    if (!reading.Born)
        return {};
    std::string text;
    const auto add = [&text](std::string_view name, std::int32_t tenths, CycleTrend trend) {
        if (!text.empty())
            text += ", ";
        text += std::string(name) + " " + PercentText(tenths, true) + " (" +
                std::string(TrendWord(trend)) + ")";
    };
    for (CycleKind kind : AllCycles) {
        const auto i = static_cast<std::size_t>(kind);
        add(CycleWord(kind), reading.PercentTenths[i], reading.Trends[i]);
    }
    if (reading.AverageTenths)
        add(TextOf({"Couple", "Average.InList"}), *reading.AverageTenths, reading.AverageTrend);
    return text;
}
