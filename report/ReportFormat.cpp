#include "report/ReportFormat.h"

#include "base/LanguageForms.h"
#include "base/SettingsCodec.h"
#include "base/TextFormat.h"
#include "base/TextTable.h"
#include "base/Vocabulary.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 4> CycleKeys{"physical", "emotional", "intellectual",
                                                    "heart"};

// Tenths as a JSON or CSV number: "-99.9", "0.0".
std::string Number(std::int32_t tenths) {
    return DecimalTenths(tenths, '.');
}

std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonDate(TDateTime date) {
    return date == 0 ? std::string("null") : JsonString(IsoDate(date));
}

// The four cycles and the average of a day, each through `value`, or `none` for each before
// birth and for an average without cycles.
template <typename Value>
std::array<std::string, 5> DayCells(const TDayReading& day, const std::string& none, Value value) {
    std::array<std::string, 5> cells;
    cells.fill(none);
    if (!day.Born)
        return cells;
    for (std::size_t i = 0; i < 4; ++i)
        cells[i] = value(day.PercentTenths[i]);
    if (day.AverageTenths)
        cells[4] = value(*day.AverageTenths);
    return cells;
}

std::size_t CodePoints(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string PadLeft(std::string_view text, std::size_t width) {
    const std::size_t n = CodePoints(text);
    return std::string(n < width ? width - n : 0, ' ') + std::string(text);
}

std::string PadRight(std::string_view text, std::size_t width) {
    const std::size_t n = CodePoints(text);
    return std::string(text) + std::string(n < width ? width - n : 0, ' ');
}

} // namespace

std::string ZeroPadded(int value, std::size_t width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
}

std::string IsoDate(TDateTime date) {
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return {};
    return ZeroPadded(int{ymd->year()}, 4) + "-" +
           ZeroPadded(static_cast<int>(unsigned{ymd->month()}), 2) + "-" +
           ZeroPadded(static_cast<int>(unsigned{ymd->day()}), 2);
}

std::optional<TDateTime> ParseIsoDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.substr(5, 2));
    const auto day = Digits(text.substr(8, 2));
    if (!year || !month || !day)
        return std::nullopt;
    return EncodeDate(*year, static_cast<unsigned>(*month), static_cast<unsigned>(*day));
}

std::string ReportText(const TCoupleReport& report) {
    const std::string& noCycles = TextOf({"Couple", "NoCycles"});
    std::string out =
        Titled(FormatTextOf({"CommandLine", "Title"}, {LongDateForm(report.Date)}), report.Name) +
        "\n";
    out += FormatTextOf({"CommandLine", "Cycles"},
                        {report.Cycles.empty() ? noCycles : CycleWords(report.Cycles)}) +
           "\n";
    constexpr std::array<TTextKey, 5> columns{
        TTextKey{"CommandLine", "Column.Physical"}, TTextKey{"CommandLine", "Column.Emotional"},
        TTextKey{"CommandLine", "Column.Intellectual"}, TTextKey{"CommandLine", "Column.Heart"},
        TTextKey{"Couple", "Average"}};
    // Wide enough for "-100,0" and for each heading with a blank before it.
    std::size_t width = 9;
    for (TTextKey column : columns)
        width = std::max(width, CodePoints(TextOf(column)) + 1);
    for (const TPersonReport& person : report.Persons) {
        out += "\n" + PersonName(person.Man) + "\n";
        const auto line = [&out](TTextKey label, const std::string& value) {
            out += "  " + TextOf(label) + ": " + value + "\n";
        };
        line({"Report", "BirthDate"}, LongDateForm(person.Birth));
        line({"CommandLine", "Zodiac"}, ZodiacNames[person.ZodiacSign]);
        line({"CommandLine", "Element"}, ElementNames[person.Element]);
        line({"Report", "Age"}, CountForm(person.AgeYears, false));
        // The label names the days already.
        line({"CommandLine", "DaysLived"}, IntegerForm(person.DaysLived));
        line({"Report", "GoodDay"}, FoundDayForm(person.GoodDay));
        line({"Report", "BadDay"}, FoundDayForm(person.BadDay));

        const std::string& date = TextOf({"CommandLine", "Date"});
        const std::size_t dateWidth =
            std::max(CodePoints(ShortDateForm(report.Date)), CodePoints(date) + 1);
        out += "\n  " + PadRight(date, dateWidth);
        for (TTextKey column : columns)
            out += PadLeft(TextOf(column), width);
        out += "\n";
        for (const TDayReading& day : person.Days) {
            out += "  " + PadRight(ShortDateForm(day.Day), dateWidth);
            const auto cells = DayCells(day, "—", [](std::int32_t tenths) {
                std::string text(tenths > 0 ? "+" : ""); // appended: GCC 12's false -Wrestrict
                text += DecimalForm(tenths);
                return text;
            });
            for (const std::string& cell : cells)
                out += PadLeft(cell, width);
            out += "\n";
        }
    }

    const TCompatibility& compatibility = report.Compatibility;
    out += '\n';
    out +=
        FormatTextOf({"CommandLine", "Compatibility"}, {CountForm(compatibility.DaysApart, true)});
    out += '\n';
    for (CycleKind kind : AllCycles)
        out += "  " + CycleName(kind) + ": " +
               PercentText(compatibility.PercentTenths[static_cast<std::size_t>(kind)], false) +
               "\n";
    out += "  " + TextOf({"Couple", "Average"}) + ": " +
           (compatibility.MeanTenths ? PercentText(*compatibility.MeanTenths, false) : noCycles) +
           "\n";
    for (const bool good : {true, false})
        out += "  " + BothDaysLabel(good) + ": " + BothDaysText(report.BothDays, good) + "\n";
    return out;
}

std::string ReportJson(const TCoupleReport& report) {
    std::string out = "{\n  \"date\": " + JsonDate(report.Date) + ",\n  \"cycles\": [";
    for (std::size_t i = 0; i < report.Cycles.size(); ++i)
        out +=
            (i > 0 ? ", " : "") + JsonString(CycleKeys[static_cast<std::size_t>(report.Cycles[i])]);
    out += "],\n  \"couple\": {\"name\": " +
           (report.Name.empty() ? std::string("null") : JsonString(report.Name)) + "},";
    out += "\n  \"persons\": [";
    bool firstPerson = true;
    for (const TPersonReport& person : report.Persons) {
        out += firstPerson ? "\n" : ",\n";
        firstPerson = false;
        out += "    {\n      \"role\": " + JsonString(person.Man ? "man" : "woman") + ",\n";
        out += "      \"birth\": " + JsonDate(person.Birth) + ",\n";
        out += "      \"zodiac\": " + JsonString(ZodiacNames[person.ZodiacSign]) + ",\n";
        out += "      \"element\": " + JsonString(ElementNames[person.Element]) + ",\n";
        out += "      \"age_years\": " + std::to_string(person.AgeYears) + ",\n";
        out += "      \"days_lived\": " + std::to_string(person.DaysLived) + ",\n";
        out += "      \"good_day\": " + JsonDate(person.GoodDay) + ",\n";
        out += "      \"bad_day\": " + JsonDate(person.BadDay) + ",\n";
        out += "      \"days\": [";
        for (std::size_t d = 0; d < person.Days.size(); ++d) {
            const TDayReading& day = person.Days[d];
            const auto cells = DayCells(day, "null", Number);
            out += d > 0 ? ",\n" : "\n";
            out += "        {\"date\": " + JsonDate(day.Day);
            for (std::size_t i = 0; i < 4; ++i)
                out += ", " + JsonString(CycleKeys[i]) + ": " + cells[i];
            out += ", \"average\": " + cells[4] + "}";
        }
        out += person.Days.empty() ? "]\n    }" : "\n      ]\n    }";
    }
    out += "\n  ],\n  \"compatibility\": {";
    for (std::size_t i = 0; i < 4; ++i)
        out +=
            JsonString(CycleKeys[i]) + ": " + Number(report.Compatibility.PercentTenths[i]) + ", ";
    out += "\"average\": " + (report.Compatibility.MeanTenths
                                  ? Number(*report.Compatibility.MeanTenths)
                                  : std::string("null"));
    for (const bool good : {true, false}) {
        out += good ? ",\n    \"good_for_both\": [" : ",\n    \"hard_for_both\": [";
        std::string_view comma;
        for (const TCoupleDay& day : report.BothDays)
            if (day.Good == good) {
                out += comma;
                out += JsonDate(day.Day);
                comma = ", ";
            }
        out += ']';
    }
    out += "}\n}\n";
    return out;
}

std::string ReportCsv(const TCoupleReport& report) {
    std::string out = "date";
    for (const TPersonReport& person : report.Persons) {
        const std::string role = person.Man ? "man_" : "woman_";
        for (std::string_view key : CycleKeys)
            out += "," + role + std::string(key);
        out += "," + role + "average";
    }
    out += ",good_for_both,hard_for_both\r\n";
    const std::size_t days = report.Persons[0].Days.size();
    auto both = report.BothDays.begin();
    for (std::size_t d = 0; d < days; ++d) {
        const TDateTime day = report.Persons[0].Days[d].Day;
        out += IsoDate(day);
        for (const TPersonReport& person : report.Persons)
            for (const std::string& cell : DayCells(person.Days[d], "", Number))
                out += "," + cell;
        // The days good or hard for both are in the order of the report's days.
        const bool listed = both != report.BothDays.end() && both->Day == day;
        out += listed && both->Good ? ",1" : ",0";
        out += listed && !both->Good ? ",1\r\n" : ",0\r\n";
        if (listed)
            ++both;
    }
    return out;
}

std::string CouplesText(const std::vector<TStoredCouple>& couples) {
    if (couples.empty())
        return TextOf({"CommandLine", "Couples.None"}) + "\n";
    std::string out;
    for (const TStoredCouple& couple : couples)
        out += FormatTextOf({"CommandLine", "Couples.Line"},
                            {couple.Name, LongDateForm(couple.Man), LongDateForm(couple.Woman)}) +
               "\n";
    return out;
}

std::string CouplesJson(const std::vector<TStoredCouple>& couples) {
    std::string out = "[";
    for (const TStoredCouple& couple : couples) {
        out += out.size() > 1 ? ",\n  {\"name\": " : "\n  {\"name\": ";
        out += JsonString(couple.Name);
        out += ", \"man\": ";
        out += JsonDate(couple.Man);
        out += ", \"woman\": ";
        out += JsonDate(couple.Woman);
        out += '}';
    }
    return out + (couples.empty() ? "]\n" : "\n]\n");
}
