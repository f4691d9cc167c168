#include "cli/CommandLine.h"

#include "OrvantaVersion.h"
#include "base/ControlCharacters.h"
#include "base/SettingsEntries.h"
#include "base/TextTable.h"
#include "model/Error.h"
#include "platform/Couples.h"
#include "platform/Dates.h"
#include "platform/LanguageFile.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsPath.h"
#include "platform/Translation.h"
#include "platform/WholeFile.h"
#include "report/Calendar.h"
#include "report/CoupleReport.h"
#include "report/ReportFormat.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

namespace {

// Qt's own options for the windows, with one dash or two.
constexpr std::array<std::string_view, 24> WindowOptions{
    "language",        "platform",    "platformpluginpath",
    "platformtheme",   "plugin",      "qmljsdebugger",
    "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "reverse",         "session",     "display",
    "geometry",        "title",       "name",
    "style",           "stylesheet",  "widgetcount",
    "nograb",          "dograb",      "visual",
    "ncols",           "cmap",        "testability"};

// A bad argument's message, for status 2; nothing when the arguments are in order.
using TRefusal = std::optional<std::string>;

std::string Refusal(TTextKey format, const QString& arg) {
    return FormatTextOf(format, {arg.toStdString()});
}

// An option's value, or why it cannot be had.
template <class T> struct TValue {
    T Value{};
    TRefusal Refused;
};

// A failure's message, for status 1: the arguments were in order, so no pointer to the help.
QByteArray ErrorText(const std::string& message) {
    return QByteArray::fromStdString("orvanta: " + message + "\n");
}

// A bad argument's message, for status 2, with where to read how the arguments go.
QByteArray RefusalText(const std::string& message) {
    return ErrorText(message) + QByteArray::fromStdString(TextOf({"CommandLine", "HelpHint"})) +
           '\n';
}

// The help: its parts with "\n" for a line break, a blank line between them.
std::string HelpText() {
    std::string text;
    for (TTextKey part :
         {TTextKey{"CommandLine", "Help.Commands"}, TTextKey{"CommandLine", "Help.Options"},
          TTextKey{"CommandLine", "Help.Report"}, TTextKey{"CommandLine", "Help.Exit"}})
        text += QString::fromStdString(TextOf(part))
                    .replace(QLatin1String("\\n"), QLatin1String("\n"))
                    .toStdString() +
                "\n\n";
    text.pop_back();
    return text;
}

QString OptionText(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString OptionText(const QCommandLineOption& option) {
    return OptionText(option.names().constLast());
}

// The option's one value, or nothing when it is not given.
TValue<std::optional<QString>> Single(const QCommandLineParser& parser,
                                      const QCommandLineOption& option) {
    const QStringList values = parser.values(option);
    if (values.size() > 1)
        return {{}, Refusal({"CommandLine", "RepeatedOption"}, OptionText(option))};
    if (values.isEmpty())
        return {};
    return {values.front(), {}};
}

TValue<TDateTime> DateValue(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const auto [value, refused] = Single(parser, option);
    if (refused)
        return {0, refused};
    if (!value)
        return {0, Refusal({"CommandLine", "MissingOption"}, OptionText(option))};
    const auto date = ParseIsoDate(value->toStdString());
    if (!date)
        return {0, FormatTextOf({"CommandLine", "BadDate"},
                                {value->toStdString(), OptionText(option).toStdString()})};
    return {*date, {}};
}

// The number of days of --days, given as Single gives it.
TValue<std::optional<std::int32_t>> DaysValue(const TValue<std::optional<QString>>& option) {
    const auto& [text, refused] = option;
    if (refused || !text)
        return {{}, refused};
    bool digits = !text->isEmpty() && text->size() <= 6;
    for (const QChar c : *text)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int days = digits ? text->toInt() : 0;
    if (days < 1 || days > MaxReportDays)
        return {{}, Refusal({"CommandLine", "BadDays"}, *text)};
    return {days, {}};
}

// The cycles in use of --cycles, given as Single gives it: "P,E,I,H" in any order and letter case.
TValue<std::optional<TCycleSet>> CyclesValue(const TValue<std::optional<QString>>& option) {
    const auto& [given, refused] = option;
    if (refused || !given)
        return {{}, refused};
    const QString& text = *given;
    TCycleSet use;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const qsizetype at =
            item.size() == 1 ? QStringLiteral("PEIH").indexOf(item.front().toUpper()) : -1;
        if (at < 0 || use.Contains(AllCycles[static_cast<std::size_t>(at)]))
            return {{}, Refusal({"CommandLine", "BadCycles"}, text)};
        use.Set(AllCycles[static_cast<std::size_t>(at)], true);
    }
    return {use, {}};
}

enum class ReportFormatKind { Text, Json, Csv };

struct TReportRequest {
    TCouple Couple;
    TDateTime Date = 0;
    TReportSpan Span;
    ReportFormatKind Format = ReportFormatKind::Text;
    std::optional<TCycleSet> Cycles;
    std::optional<QString> Calendar;
};

struct TParsed {
    bool Help = false;
    bool Version = false;
    bool Couples = false; // the list of stored couples, in Report.Format
    TReportRequest Report;
};

// Every option the command line knows.
struct TOptions {
    QCommandLineOption help{QStringList{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption version{QStringList{QStringLiteral("v"), QStringLiteral("version")}};
    QCommandLineOption man{QStringLiteral("man"), {}, QStringLiteral("date")};
    QCommandLineOption woman{QStringLiteral("woman"), {}, QStringLiteral("date")};
    QCommandLineOption date{QStringLiteral("date"), {}, QStringLiteral("date")};
    QCommandLineOption days{QStringLiteral("days"), {}, QStringLiteral("n")};
    QCommandLineOption format{QStringLiteral("format"), {}, QStringLiteral("format")};
    QCommandLineOption ics{QStringLiteral("ics"), {}, QStringLiteral("file")};
    QCommandLineOption cycles{QStringLiteral("cycles"), {}, QStringLiteral("cycles")};
    QCommandLineOption couple{QStringLiteral("couple"), {}, QStringLiteral("name")};
    // Read before the arguments are (LanguageAsked), so that every text is in that language.
    QCommandLineOption language{QStringLiteral("language"), {}, QStringLiteral("name")};

    std::array<const QCommandLineOption*, 8> Report() const {
        return {&man, &woman, &date, &days, &format, &ics, &cycles, &couple};
    }
};

// Why QCommandLineParser::parse refused the arguments.
std::string ParseFailure(const QCommandLineParser& parser, const TOptions& options,
                         const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return Refusal({"CommandLine", "UnknownOption"}, OptionText(unknown.front()));
    // The other failures: a value given to -h or -v, or a value option at the end.
    const QStringList flags = options.help.names() + options.version.names();
    for (const QString& argument : arguments.mid(1)) {
        QString name = argument.section(QLatin1Char('='), 0, 0);
        if (!name.startsWith(QLatin1Char('-')) || name == argument)
            continue;
        while (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        if (flags.contains(name))
            return Refusal({"CommandLine", "UnknownOption"}, argument);
    }
    return Refusal({"CommandLine", "MissingValue"}, arguments.constLast());
}

// The command, "report" or "couples" (whether it is "couples"), and nothing after it; "couples"
// takes --format alone.
TValue<bool> CouplesCommand(const QCommandLineParser& parser, const TOptions& options,
                            const QStringList& arguments) {
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        for (const QCommandLineOption* option : options.Report())
            if (parser.isSet(*option))
                return {false,
                        Refusal({"CommandLine", "OptionWithoutCommand"}, OptionText(*option))};
        return {false, Refusal({"CommandLine", "UnknownCommand"}, arguments.value(1))};
    }
    const bool couples = words.front() == QLatin1String("couples");
    if (!couples && words.front() != QLatin1String("report"))
        return {false, Refusal({"CommandLine", "UnknownCommand"}, words.front())};
    if (words.size() > 1)
        return {false, Refusal({"CommandLine", "ExtraArgument"}, words.at(1))};
    for (const QCommandLineOption* option : options.Report())
        if (couples && option != &options.format && parser.isSet(*option))
            return {false, Refusal({"CommandLine", "OptionWithoutCommand"}, OptionText(*option))};
    return {couples, {}};
}

// The dates of birth of --man and --woman, or of the stored couple that --couple names.
TRefusal ReadCouple(const QCommandLineParser& parser, const TOptions& options,
                    const std::vector<TStoredCouple>& stored, TCouple& couple) {
    if (!parser.isSet(options.couple)) {
        for (const auto& [option, field] : {std::pair{&options.man, &couple.ManBirth},
                                            std::pair{&options.woman, &couple.WomanBirth}}) {
            const auto [value, refused] = DateValue(parser, *option);
            if (refused)
                return refused;
            *field = value;
        }
        return std::nullopt;
    }
    for (const QCommandLineOption* option : {&options.man, &options.woman})
        if (parser.isSet(*option))
            return Refusal({"CommandLine", "CoupleWithDate"}, OptionText(*option));
    const auto [name, refused] = Single(parser, options.couple);
    if (refused)
        return refused;
    const std::string wanted = name->toStdString();
    const auto found = std::find_if(stored.begin(), stored.end(),
                                    [&](const TStoredCouple& c) { return c.Name == wanted; });
    // The name goes back to a terminal: none of its control characters with it.
    if (found == stored.end())
        return FormatTextOf({"CommandLine", "UnknownCouple"}, {WithoutControlCharacters(wanted)});
    couple = {found->Man, found->Woman, found->Name};
    return std::nullopt;
}

// The dates and the days of the report.
TRefusal ReadDays(const QCommandLineParser& parser, const TOptions& options, TDateTime today,
                  const std::vector<TStoredCouple>& stored, TReportRequest& request) {
    if (TRefusal refused = ReadCouple(parser, options, stored, request.Couple))
        return refused;
    request.Date = today;
    if (parser.isSet(options.date)) {
        const auto [value, refused] = DateValue(parser, options.date);
        if (refused)
            return refused;
        request.Date = value;
    }
    const auto count = DaysValue(Single(parser, options.days));
    if (count.Refused)
        return count.Refused;
    const auto span = ReportSpan(request.Date, count.Value);
    if (!span && count.Value)
        return TextOf({"CommandLine", "DaysPastCalendar"});
    if (!span)
        return Refusal({"CommandLine", "ChartedMonthsPastCalendar"},
                       QString::fromStdString(IsoDate(request.Date)));
    request.Span = *span;
    return std::nullopt;
}

// The form --format asks for: text (also without it), JSON, or CSV, which the list of couples
// does not come in.
TValue<ReportFormatKind> FormatValue(const QCommandLineParser& parser, const TOptions& options,
                                     bool list) {
    const auto [value, refused] = Single(parser, options.format);
    if (refused || !value || *value == QLatin1String("text"))
        return {ReportFormatKind::Text, refused};
    if (*value == QLatin1String("json"))
        return {ReportFormatKind::Json, {}};
    if (*value == QLatin1String("csv") && !list)
        return {ReportFormatKind::Csv, {}};
    return {ReportFormatKind::Text, Refusal(list ? TTextKey{"CommandLine", "BadListFormat"}
                                                 : TTextKey{"CommandLine", "BadFormat"},
                                            *value)};
}

// The form of the report, its cycles and the calendar file.
TRefusal ReadOutputs(const QCommandLineParser& parser, const TOptions& options,
                     TReportRequest& request) {
    const auto format = FormatValue(parser, options, false);
    if (format.Refused)
        return format.Refused;
    request.Format = format.Value;
    const auto cycles = CyclesValue(Single(parser, options.cycles));
    if (cycles.Refused)
        return cycles.Refused;
    request.Cycles = cycles.Value;
    const auto ics = Single(parser, options.ics);
    if (ics.Refused)
        return ics.Refused;
    if (const auto& value = ics.Value) {
        if (value->isEmpty())
            return TextOf({"CommandLine", "EmptyFileName"});
        // A FIFO or a device would block the write or swallow the calendar.
        const QFileInfo file(*value);
        if (file.exists() && !file.isFile())
            return Refusal({"CommandLine", "NotAFile"}, *value);
        request.Calendar = value;
    }
    return std::nullopt;
}

TValue<TParsed> Parse(const QStringList& arguments, TDateTime today,
                      const std::vector<TStoredCouple>& stored) {
    const TOptions options;
    QCommandLineParser parser;
    // "-man" is "--man", not "-m -a -n".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(options.help);
    parser.addOption(options.version);
    for (const QCommandLineOption* option : options.Report())
        parser.addOption(*option);
    parser.addOption(options.language);
    if (!parser.parse(arguments))
        return {{}, ParseFailure(parser, options, arguments)};

    TParsed parsed;
    if (parser.isSet(options.help) || parser.isSet(options.version)) {
        parsed.Help = parser.isSet(options.help);
        parsed.Version = !parsed.Help;
        return {parsed, {}};
    }
    const auto command = CouplesCommand(parser, options, arguments);
    if (command.Refused)
        return {parsed, command.Refused};
    parsed.Couples = command.Value;
    if (parsed.Couples) {
        const auto format = FormatValue(parser, options, true);
        parsed.Report.Format = format.Value;
        return {parsed, format.Refused};
    }
    TRefusal refused = ReadDays(parser, options, today, stored, parsed.Report);
    if (!refused)
        refused = ReadOutputs(parser, options, parsed.Report);
    return {parsed, refused};
}

TCommandResult Report(const TReportRequest& request, TCycleSet storedCycles) {
    const TCouple& couple = request.Couple;
    const TCycleSet cycles = request.Cycles.value_or(storedCycles);
    TCommandResult result;
    if (request.Calendar) {
        try {
            // Both persons, as display mode 0 shows them.
            WriteWholeFile(*request.Calendar, QByteArray::fromStdString(CalendarFile(
                                                  couple, request.Date, DefaultMonthsAfter, 0,
                                                  cycles, NowInWholeSeconds())));
        } catch (const EProgramError& error) {
            return {1, {}, ErrorText(error.what())};
        }
    }
    const TCoupleReport report = CoupleReport(couple, request.Date, request.Span, cycles);
    switch (request.Format) {
    case ReportFormatKind::Text:
        result.Out = QByteArray::fromStdString(ReportText(report));
        break;
    case ReportFormatKind::Json:
        result.Out = QByteArray::fromStdString(ReportJson(report));
        break;
    case ReportFormatKind::Csv:
        result.Out = QByteArray::fromStdString(ReportCsv(report));
        break;
    }
    return result;
}

bool WriteAll(std::FILE* stream, const QByteArray& bytes) {
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream) ==
               static_cast<std::size_t>(bytes.size()) &&
           std::fflush(stream) == 0;
}

} // namespace

bool IsCommandLine(int argc, char* argv[]) {
    if (argc < 2)
        return false;
    std::string_view first = argv[1];
    if (!first.starts_with('-') || first == "-" || first == "--")
        return true;
    first.remove_prefix(first.starts_with("--") ? 2 : 1);
    first = first.substr(0, first.find('='));
    return std::find(WindowOptions.begin(), WindowOptions.end(), first) == WindowOptions.end();
}

TCommandResult RunCommand(const QStringList& arguments, TDateTime today) {
    // The settings file is read once, as the window reads it: too large a file counts as none.
    // Its display settings are for the report, its language for every text, its couples for
    // --couple and the list.
    const TProfileRead read = ReadProfileFile(SettingsFilePath());
    const TProfileFile file(std::string_view(read.bytes.constData(), read.bytes.size()));
    const TSettingsValues settings = ReadSettingsValues(
        file, TShortDateFormat::FromPattern(RegionalShortDateFormat().toStdString()),
        QDate::currentDate().year());
    // The language --language or the settings file names, as the window starts in; one that
    // cannot be read (no regular file, too large) leaves the built-in texts, without a message.
    const std::optional<QString> asked = LanguageAsked(arguments);
    const std::optional<QString> start =
        StartLanguage(StoredLanguage(settings), asked, LanguageFolder(), SystemUiLanguages());
    const TLanguageRead language = ReadLanguageNamed(start.value_or(QString()));
    InstallLanguageEverywhere(language.File ? &*language.File : nullptr);
    if (!start)
        return {2, {}, RefusalText(Refusal({"CommandLine", "UnknownLanguage"}, *asked))};
    const std::vector<TStoredCouple> couples = StoredCouples(file);
    const auto [parsed, refused] = Parse(arguments, today, couples);
    if (refused)
        return {2, {}, RefusalText(*refused)};
    if (parsed.Help)
        return {0, QByteArray::fromStdString(HelpText()), {}};
    if (parsed.Version)
        return {
            0, "orvanta " + QByteArray::fromStdString(std::string(ProgramFullVersion)) + "\n", {}};
    if (parsed.Couples)
        return {0,
                QByteArray::fromStdString(parsed.Report.Format == ReportFormatKind::Json
                                              ? CouplesJson(couples)
                                              : CouplesText(couples)),
                {}};
    return Report(parsed.Report, settings.Cycles(TCycleSet::All()));
}

int RunCommandLine(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    // The same names as the windows use, so that the same settings file is found.
    QCoreApplication::setApplicationName(QStringLiteral("Orvanta"));
    ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    TCommandResult result =
        RunCommand(QCoreApplication::arguments(), ToDateTime(QDate::currentDate()));
    if (!WriteAll(stdout, result.Out)) {
        result.Status = 1;
        result.Err = ErrorText(TextOf({"CommandLine", "CannotWriteReport"}));
    }
    WriteAll(stderr, result.Err);
    return result.Status;
}
