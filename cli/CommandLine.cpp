#include "cli/CommandLine.h"

#include "OrvantaVersion.h"
#include "base/SettingsEntries.h"
#include "base/TextTable.h"
#include "model/Error.h"
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

#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

namespace {

// Qt's own options for the windows, with one dash or two.
constexpr std::array<std::string_view, 23> WindowOptions{"platform",      "platformpluginpath",
                                                         "platformtheme", "plugin",
                                                         "qmljsdebugger", "qwindowgeometry",
                                                         "qwindowicon",   "qwindowtitle",
                                                         "reverse",       "session",
                                                         "display",       "geometry",
                                                         "title",         "name",
                                                         "style",         "stylesheet",
                                                         "widgetcount",   "nograb",
                                                         "dograb",        "visual",
                                                         "ncols",         "cmap",
                                                         "testability"};

// A bad argument: its message, for status 2.
struct TArgumentError {
    std::string Message;
};

[[noreturn]] void Refuse(TTextKey format, const QString& arg) {
    throw TArgumentError{FormatTextOf(format, {arg.toStdString()})};
}

[[noreturn]] void Refuse(TTextKey message) {
    throw TArgumentError{TextOf(message)};
}

QByteArray ErrorText(const std::string& message) {
    return QByteArray::fromStdString("orvanta: " + message + "\n" +
                                     TextOf({"CommandLine", "HelpHint"}) + "\n");
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

// The option's one value, or nothing when it is not given.
std::optional<QString> Single(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const QStringList values = parser.values(option);
    if (values.size() > 1)
        Refuse({"CommandLine", "RepeatedOption"}, OptionText(option.names().constLast()));
    if (values.isEmpty())
        return std::nullopt;
    return values.front();
}

TDateTime DateValue(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const QString name = OptionText(option.names().constLast());
    const auto value = Single(parser, option);
    if (!value)
        Refuse({"CommandLine", "MissingOption"}, name);
    const auto date = ParseIsoDate(value->toStdString());
    if (!date)
        throw TArgumentError{
            FormatTextOf({"CommandLine", "BadDate"}, {value->toStdString(), name.toStdString()})};
    return *date;
}

std::optional<std::int32_t> DaysValue(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    bool digits = !text->isEmpty() && text->size() <= 6;
    for (const QChar c : *text)
        digits = digits && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int days = digits ? text->toInt() : 0;
    if (days < 1 || days > MaxReportDays)
        Refuse({"CommandLine", "BadDays"}, *text);
    return days;
}

// The cycles in use, from "P,E,I,H" in any order and letter case.
TCycleSet CyclesValue(const QString& text) {
    TCycleSet use;
    for (const QString& item : text.split(QLatin1Char(','))) {
        const qsizetype at =
            item.size() == 1 ? QStringLiteral("PEIH").indexOf(item.front().toUpper()) : -1;
        if (at < 0 || use.Contains(AllCycles[static_cast<std::size_t>(at)]))
            Refuse({"CommandLine", "BadCycles"}, text);
        use.Set(AllCycles[static_cast<std::size_t>(at)], true);
    }
    return use;
}

enum class ReportFormatKind { Text, Json, Csv };

struct TReportRequest {
    TDateTime Man = 0;
    TDateTime Woman = 0;
    TDateTime Date = 0;
    TReportSpan Span;
    ReportFormatKind Format = ReportFormatKind::Text;
    std::optional<TCycleSet> Cycles;
    std::optional<QString> Calendar;
};

struct TParsed {
    bool Help = false;
    bool Version = false;
    TReportRequest Report;
};

TParsed Parse(const QStringList& arguments, TDateTime today) {
    QCommandLineParser parser;
    // "-man" is "--man", not "-m -a -n".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption man(QStringLiteral("man"), {}, QStringLiteral("date"));
    const QCommandLineOption woman(QStringLiteral("woman"), {}, QStringLiteral("date"));
    const QCommandLineOption date(QStringLiteral("date"), {}, QStringLiteral("date"));
    const QCommandLineOption days(QStringLiteral("days"), {}, QStringLiteral("n"));
    const QCommandLineOption format(QStringLiteral("format"), {}, QStringLiteral("format"));
    const QCommandLineOption ics(QStringLiteral("ics"), {}, QStringLiteral("file"));
    const QCommandLineOption cycles(QStringLiteral("cycles"), {}, QStringLiteral("cycles"));
    const std::array reportOptions{&man, &woman, &date, &days, &format, &ics, &cycles};
    parser.addOption(help);
    parser.addOption(version);
    for (const QCommandLineOption* option : reportOptions)
        parser.addOption(*option);

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            Refuse({"CommandLine", "UnknownOption"}, OptionText(unknown.front()));
        // The other failures: a value given to -h or -v, or a value option at the end.
        const QStringList flags = help.names() + version.names();
        for (const QString& argument : arguments.mid(1)) {
            QString name = argument.section(QLatin1Char('='), 0, 0);
            if (!name.startsWith(QLatin1Char('-')) || name == argument)
                continue;
            while (name.startsWith(QLatin1Char('-')))
                name.remove(0, 1);
            if (flags.contains(name))
                Refuse({"CommandLine", "UnknownOption"}, argument);
        }
        Refuse({"CommandLine", "MissingValue"}, arguments.constLast());
    }
    TParsed parsed;
    if (parser.isSet(help) || parser.isSet(version)) {
        parsed.Help = parser.isSet(help);
        parsed.Version = !parsed.Help;
        return parsed;
    }

    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        for (const QCommandLineOption* option : reportOptions)
            if (parser.isSet(*option))
                Refuse({"CommandLine", "OptionWithoutCommand"},
                       OptionText(option->names().constLast()));
        Refuse({"CommandLine", "UnknownCommand"}, arguments.value(1));
    }
    if (words.front() != QLatin1String("report"))
        Refuse({"CommandLine", "UnknownCommand"}, words.front());
    if (words.size() > 1)
        Refuse({"CommandLine", "ExtraArgument"}, words.at(1));

    TReportRequest& request = parsed.Report;
    request.Man = DateValue(parser, man);
    request.Woman = DateValue(parser, woman);
    request.Date = parser.isSet(date) ? DateValue(parser, date) : today;
    const auto dayCount = DaysValue(Single(parser, days));
    const auto span = ReportSpan(request.Date, dayCount);
    if (!span && dayCount)
        Refuse({"CommandLine", "DaysPastCalendar"});
    if (!span)
        Refuse({"CommandLine", "ChartedMonthsPastCalendar"},
               QString::fromStdString(IsoDate(request.Date)));
    request.Span = *span;
    if (const auto value = Single(parser, format)) {
        if (*value == QLatin1String("json"))
            request.Format = ReportFormatKind::Json;
        else if (*value == QLatin1String("csv"))
            request.Format = ReportFormatKind::Csv;
        else if (*value != QLatin1String("text"))
            Refuse({"CommandLine", "BadFormat"}, *value);
    }
    if (const auto value = Single(parser, cycles))
        request.Cycles = CyclesValue(*value);
    if (const auto value = Single(parser, ics)) {
        if (value->isEmpty())
            Refuse({"CommandLine", "EmptyFileName"});
        // A FIFO or a device would block the write or swallow the calendar.
        const QFileInfo file(*value);
        if (file.exists() && !file.isFile())
            Refuse({"CommandLine", "NotAFile"}, *value);
        request.Calendar = value;
    }
    return parsed;
}

TCommandResult Report(const TReportRequest& request, TCycleSet storedCycles) {
    const TCouple couple{request.Man, request.Woman};
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
    // Its display settings are for the report, its language for every text.
    const TProfileRead read = ReadProfileFile(SettingsFilePath());
    const TSettingsValues settings = ReadSettingsValues(
        TProfileFile(std::string_view(read.bytes.constData(), read.bytes.size())),
        TShortDateFormat::FromPattern(RegionalShortDateFormat().toStdString()),
        QDate::currentDate().year());
    // The language the settings file names, as the window starts in; one that cannot be read
    // (missing, no regular file, too large) leaves the built-in texts, without a message.
    const TLanguageRead language =
        ReadLanguageNamed(DecodeLanguageText(QByteArray::fromStdString(settings.Language)));
    InstallLanguageEverywhere(language.File ? &*language.File : nullptr);
    try {
        const TParsed parsed = Parse(arguments, today);
        if (parsed.Help)
            return {0, QByteArray::fromStdString(HelpText()), {}};
        if (parsed.Version)
            return {0,
                    "orvanta " + QByteArray::fromStdString(std::string(ProgramFullVersion)) + "\n",
                    {}};
        return Report(parsed.Report, settings.Cycles(TCycleSet::All()));
    } catch (const TArgumentError& error) {
        return {2, {}, ErrorText(error.Message)};
    }
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
