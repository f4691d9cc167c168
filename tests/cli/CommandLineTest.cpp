#include "cli/CommandLine.h"
#include "tests/main/ProgramFixture.h"
#include "tests/report/IcalSupport.h"

#include "base/Vocabulary.h"
#include "platform/LanguageFile.h"
#include "report/ReportFormat.h"
#include "tests/main/DetailReportLines.h"

#include <QDateEdit>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QStringList Couple{QStringLiteral("orvanta"), QStringLiteral("report"),
                         QStringLiteral("--man"),   QStringLiteral("1982-12-23"),
                         QStringLiteral("--woman"), QStringLiteral("1983-09-29"),
                         QStringLiteral("--date"),  QStringLiteral("2009-01-05")};

const TDateTime Today = *EncodeDate(2009, 1, 5);

QSet<QString> Keys(const QJsonObject& object) {
    const QStringList keys = object.keys();
    return {keys.begin(), keys.end()};
}

// A percentage as the detail report writes it: "+23,5 %" (its no-break space is a blank in
// plain text).
QString Percent(double value, bool withSign) {
    return (withSign && value > 0 ? QStringLiteral("+") : QString()) +
           QString::number(value, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(',')) +
           QStringLiteral(" %");
}

QJsonObject Json(const TCommandResult& result) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(result.Out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

class CommandLineTest : public TProgramFixture {
protected:
    void SetUp() override {
        TProgramFixture::SetUp();
        ProgramFolder = folder;
    }

    QString Text(const char* name) const { return Find<QLabel>(name)->text(); }
};

} // namespace

TEST(CommandLine, WhichArgumentsAreForIt) {
    // Qt's own window options, with one dash or two and with "=", start the windows; a word, a
    // lone dash and any other option are for the command line.
    const std::pair<std::vector<const char*>, bool> rows[] = {
        {{"orvanta"}, false},
        {{"orvanta", "-style", "fusion"}, false},
        {{"orvanta", "--platform", "offscreen"}, false},
        {{"orvanta", "-platform=offscreen"}, false},
        {{"orvanta", "report"}, true},
        {{"orvanta", "--help"}, true},
        {{"orvanta", "-"}, true},
    };
    for (const auto& [arguments, forIt] : rows) {
        std::vector<char*> argv;
        for (const char* argument : arguments)
            argv.push_back(const_cast<char*>(argument));
        EXPECT_EQ(IsCommandLine(static_cast<int>(argv.size()), argv.data()), forIt) << argv.back();
    }
}

// One row per rule of the parser; nothing is written when any argument is wrong.
TEST_F(CommandLineTest, BadArgumentsGetOneMessageAndStatusTwo) {
    const QString calendar = folder + QStringLiteral("days.ics");
    const QString fifo = folder + QStringLiteral("fifo.ics");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto report = [](QStringList more) { return Couple + more; };
    const auto date = [](const QString& value, const QString& option) {
        return "неверная дата «" + value + "» у параметра «" + option +
               "»: нужна дата ГГГГ-ММ-ДД с 0001-01-01 по 9999-12-31";
    };
    const auto days = [](const QString& value) {
        return "неверное число дней «" + value + "»: нужно целое от 1 до 36525";
    };
    const auto cycles = [](const QString& value) {
        return "неверный список циклов «" + value +
               "»: нужны буквы P, E, I, H через запятую, каждая не больше одного раза";
    };
    const std::vector<std::pair<QStringList, QString>> rows{
        {{"orvanta", "--bogus"}, "неизвестный параметр «--bogus»"},
        {{"orvanta", "-x"}, "неизвестный параметр «-x»"},
        {{"orvanta", "--help=1"}, "неизвестный параметр «--help=1»"},
        {{"orvanta", "reprot"}, "неизвестная команда «reprot»"},
        {{"orvanta", "--man", "1982-12-23"}, "параметр «--man» относится к команде report"},
        {{"orvanta", "report"}, "не задан параметр «--man»"},
        {{"orvanta", "report", "--man", "1982-12-23"}, "не задан параметр «--woman»"},
        {{"orvanta", "report", "--woman", "1982-12-23", "--man"},
         "у параметра «--man» нет значения"},
        {report({"extra"}), "лишний аргумент «extra»"},
        {report({"--man", "1982-12-23"}), "параметр «--man» задан больше одного раза"},
        {{"orvanta", "report", "--man", "1982-02-29", "--woman", "1983-09-29"},
         date("1982-02-29", "--man")},
        {{"orvanta", "report", "--man", "1982-12-23", "--woman", "29.09.1983"},
         date("29.09.1983", "--woman")},
        {{"orvanta", "report", "--man", "1982-12-23", "--woman", "1983-09-29", "--date",
          "10000-01-01"},
         date("10000-01-01", "--date")},
        {report({"--days", "0"}), days("0")},
        {report({"--days", "36526"}), days("36526")},
        {report({"--days", " 7"}), days(" 7")},
        {{"orvanta", "report", "--man", "1982-12-23", "--woman", "1983-09-29", "--date",
          "9999-12-30", "--days", "3"},
         "дни отчёта выходят за 31 декабря 9999 г."},
        {{"orvanta", "report", "--man", "1982-12-23", "--woman", "1983-09-29", "--date",
          "9999-12-05"},
         "у даты 9999-12-05 нет месяца после неё: месяцы графиков выходят за 31 декабря 9999 г., "
         "задайте --days"},
        {report({"--cycles", "P,X"}), cycles("P,X")},
        {report({"--cycles", "P,p"}), cycles("P,p")},
        {report({"--cycles", "PE"}), cycles("PE")},
        {report({"--ics", ""}), "пустое имя файла у параметра «--ics»"},
        {report({"--ics", fifo}), "«" + fifo + "» — не обычный файл: календарь не записан"},
        {report({"--ics", calendar, "--format", "JSON"}),
         "неверный вид отчёта «JSON»: нужен text, json или csv"},
        {{"orvanta", "report", "--couple", "Аня\x1b[2J"}, "нет сохранённой пары «Аня[2J»"},
        {{"orvanta", "report", "--couple", "Аня", "--man", "1982-12-23"},
         "параметр «--couple» не задаётся вместе с «--man»"},
        {{"orvanta", "couples", "--format", "csv"},
         "неверный вид списка «csv»: нужен text или json"},
        {{"orvanta", "couples", "--days", "3"}, "параметр «--days» относится к команде report"},
    };
    for (const auto& [arguments, message] : rows) {
        const TCommandResult result = RunCommand(arguments, Today);
        EXPECT_EQ(result.Status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(result.Out.isEmpty()) << arguments.join(' ').toStdString();
        EXPECT_EQ(QString::fromUtf8(result.Err),
                  "orvanta: " + message + "\nСправка: orvanta --help\n");
    }
    EXPECT_FALSE(QFileInfo::exists(calendar));
    EXPECT_FALSE(QFileInfo::exists(settingsPath));

    const TCommandResult help = RunCommand({"orvanta", "--help"}, Today);
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.startsWith("Орванта — биоритмы пары.\n\nИспользование:\n"));
    EXPECT_TRUE(help.Err.isEmpty());
    EXPECT_EQ(RunCommand(Couple + QStringList{"-h"}, Today).Out, help.Out);
    const TCommandResult version = RunCommand({"orvanta", "-v"}, Today);
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "orvanta 3.3.0.35\n");
}

TEST_F(CommandLineTest, JsonAgreesWithTheWindowAndTheDetailReport) {
    // The user has turned the intellectual cycle off.
    Write(settingsPath, "[Settings]\nchkSavvy=0\nrgGraphics=0\n");
    const QByteArray stored = Stored();
    Start();
    Find<QDateEdit>("dtpManDateDay")->setDate(QDate(1982, 12, 23));
    Find<QDateEdit>("dtpWomanDateDay")->setDate(QDate(1983, 9, 29));
    Find<QDateEdit>("dtpPrognoseDate")->setDate(QDate(2009, 1, 5));
    const QStringList panels[2] = {{Text("lbMZodiac"), Text("lbMElement"), Text("lbMAge"),
                                    Text("lbMQuanDays"), Text("lbMMaxDay"), Text("lbMMinDay")},
                                   {Text("lbWZodiac"), Text("lbWElement"), Text("lbWAge"),
                                    Text("lbWQuanDays"), Text("lbWMaxDay"), Text("lbWMinDay")}};

    const TCommandResult result = RunCommand(Couple + QStringList{"--format", "json"}, Today);
    ASSERT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_TRUE(result.Err.isEmpty());
    EXPECT_EQ(Stored(), stored);
    const QJsonObject json = Json(result);
    EXPECT_EQ(Keys(json), (QSet<QString>{"date", "cycles", "couple", "persons", "compatibility"}));
    EXPECT_TRUE(json["couple"]["name"].isNull());
    EXPECT_EQ(json["date"].toString(), "2009-01-05");
    EXPECT_EQ(json["cycles"].toArray(), (QJsonArray{"physical", "emotional", "heart"}));

    const QJsonArray persons = json["persons"].toArray();
    ASSERT_EQ(persons.size(), 2);
    const char* cycleKeys[] = {"physical", "emotional", "intellectual", "heart"};
    const char* cycleNames[] = {"Физический", "Эмоциональный", "Интеллектуальный", "Сердечный"};
    for (int who = 0; who < 2; ++who) {
        const QJsonObject person = persons[who].toObject();
        const bool man = who == 0;
        SCOPED_TRACE(man ? "man" : "woman");
        EXPECT_EQ(Keys(person), (QSet<QString>{"role", "birth", "zodiac", "element", "age_years",
                                               "days_lived", "good_day", "bad_day", "days"}));
        EXPECT_EQ(person["role"].toString(), man ? "man" : "woman");
        EXPECT_EQ(person["birth"].toString(), man ? "1982-12-23" : "1983-09-29");
        const auto day = [](const QJsonValue& value) {
            return value.isNull() ? QStringLiteral("—")
                                  : QString::fromStdString(LongDateText(
                                        ParseIsoDate(value.toString().toStdString()).value()));
        };
        EXPECT_EQ(
            (QStringList{person["zodiac"].toString(), person["element"].toString(),
                         QString::fromStdString(CountWithWord(person["age_years"].toInt(), false)),
                         QString::fromStdString(CountWithWord(person["days_lived"].toInt(), true)),
                         day(person["good_day"]), day(person["bad_day"])}),
            panels[who]);

        // The charted months, January and February 2009; the prognosis date's values are the
        // detail report's.
        const QJsonArray days = person["days"].toArray();
        ASSERT_EQ(days.size(), 59);
        EXPECT_EQ(days.first()["date"].toString(), "2009-01-01");
        EXPECT_EQ(days.last()["date"].toString(), "2009-02-28");
        const QJsonObject onTheDay = days[4].toObject();
        EXPECT_EQ(onTheDay["date"].toString(), "2009-01-05");
        EXPECT_EQ(Keys(onTheDay), (QSet<QString>{"date", "physical", "emotional", "intellectual",
                                                 "heart", "average"}));
        const QStringList report = DetailReportLines(man);
        for (int i = 0; i < 4; ++i) {
            const QString prefix = QString::fromUtf8(cycleNames[i]) + QStringLiteral(": ") +
                                   Percent(onTheDay[cycleKeys[i]].toDouble(), true) +
                                   QStringLiteral(", ");
            EXPECT_TRUE(std::any_of(report.begin(), report.end(), [&](const QString& line) {
                return line.startsWith(prefix);
            })) << prefix.toStdString();
        }
        // The mean of the three cycles in use (each rounded to a tenth on its own).
        EXPECT_NEAR(onTheDay["average"].toDouble(),
                    (onTheDay["physical"].toDouble() + onTheDay["emotional"].toDouble() +
                     onTheDay["heart"].toDouble()) /
                        3,
                    0.1);

        const QJsonObject compatibility = json["compatibility"].toObject();
        EXPECT_EQ(Keys(compatibility),
                  (QSet<QString>{"physical", "emotional", "intellectual", "heart", "average",
                                 "good_for_both", "hard_for_both"}));
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(std::any_of(report.begin(), report.end(), [&](const QString& line) {
                return line.startsWith(QString::fromUtf8(cycleNames[i]) + " (период") &&
                       line.endsWith(": " + Percent(compatibility[cycleKeys[i]].toDouble(), false));
            })) << cycleKeys[i];
        EXPECT_TRUE(report.contains("Средняя совместимость по циклам, показанным на графиках: " +
                                    Percent(compatibility["average"].toDouble(), false)));
    }
}

TEST_F(CommandLineTest, FormatsDaysAndCycles) {
    Write(settingsPath,
          "[Settings]\nchkPhysical=0\nchkEmotional=0\nchkSavvy=0\nchkWarmhearted=0\n");
    // All four off in the settings file, as the window would start: no average, no good or bad
    // day, no mean compatibility.
    QJsonObject json = Json(RunCommand(Couple + QStringList{"--format", "json"}, Today));
    EXPECT_EQ(json["cycles"].toArray(), QJsonArray());
    for (const QJsonValue person : json["persons"].toArray()) {
        EXPECT_TRUE(person["good_day"].isNull());
        EXPECT_TRUE(person["bad_day"].isNull());
        for (const QJsonValue day : person["days"].toArray())
            EXPECT_TRUE(day["average"].isNull());
    }
    EXPECT_TRUE(json["compatibility"].toObject()["average"].isNull());

    // --cycles wins over the file, in any order and letter case; the file stays as it was.
    const QByteArray stored = Stored();
    json = Json(RunCommand(
        Couple + QStringList{"--format", "json", "--cycles", "h,P", "--days", "7"}, Today));
    EXPECT_EQ(Stored(), stored);
    EXPECT_EQ(json["cycles"].toArray(), (QJsonArray{"physical", "heart"}));
    const QJsonArray man = json["persons"][0]["days"].toArray();
    ASSERT_EQ(man.size(), 7);
    EXPECT_EQ(man.first()["date"].toString(), "2009-01-05");
    EXPECT_EQ(man.last()["date"].toString(), "2009-01-11");
    EXPECT_FALSE(json["persons"][0]["good_day"].isNull());

    // CSV: one row a day, the same numbers in eleven columns, then the days for both.
    const TCommandResult csv = RunCommand(
        Couple + QStringList{"--format", "csv", "--cycles", "H,P", "--days", "7"}, Today);
    EXPECT_EQ(csv.Status, 0);
    const QStringList rows = QString::fromUtf8(csv.Out).split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 9); // the header, seven days and the empty text after the last CRLF
    EXPECT_EQ(rows[0], "date,man_physical,man_emotional,man_intellectual,man_heart,man_average,"
                       "woman_physical,woman_emotional,woman_intellectual,woman_heart,"
                       "woman_average,good_for_both,hard_for_both");
    EXPECT_EQ(rows[8], "");
    const char* keys[] = {"physical", "emotional", "intellectual", "heart", "average"};
    for (int d = 0; d < 7; ++d) {
        const QStringList cells = rows[d + 1].split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), 13);
        EXPECT_EQ(cells[0], man[d]["date"].toString());
        for (int who = 0; who < 2; ++who)
            for (int k = 0; k < 5; ++k)
                EXPECT_EQ(cells[1 + who * 5 + k].toDouble(),
                          json["persons"][who]["days"][d][keys[k]].toDouble());
    }

    // Text: the persons' figures and a table of the days; before birth the cells show a dash.
    const TCommandResult text =
        RunCommand({"orvanta", "report", "--man", "1982-12-23", "--woman", "2009-01-07", "--date",
                    "2009-01-05", "--days", "3", "--cycles", "P,E,I,H"},
                   Today);
    const QStringList lines = QString::fromUtf8(text.Out).split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0], "Отчёт о биоритмах пары на 5 января 2009 г.");
    EXPECT_TRUE(lines.contains("  Знак зодиака: Козерог"));
    EXPECT_TRUE(lines.contains("  Возраст (в днях): 9510"));
    EXPECT_TRUE(lines.contains("  Дата           Физ.    Эмоц.   Интел.    Серд.  Среднее"));
    EXPECT_TRUE(lines.contains("  05.01.2009    +23,5    -31,9    -99,9    +99,7     -2,2"));
    EXPECT_TRUE(lines.contains("  06.01.2009        —        —        —        —        —"));
    EXPECT_TRUE(lines.contains("  07.01.2009      0,0      0,0      0,0      0,0      0,0"));
}

TEST_F(CommandLineTest, CalendarFileAndItsFailures) {
    const QString calendar = folder + QStringLiteral("дни.ics");
    Write(calendar, "old calendar");
    const TCommandResult result = RunCommand(Couple + QStringList{"--ics", calendar}, Today);
    EXPECT_EQ(result.Status, 0) << result.Err.toStdString();
    EXPECT_TRUE(result.Out.startsWith("Отчёт о биоритмах пары"));
    const TParsedCalendar parsed = ParseCalendar(ReadFile(calendar).toStdString());
    EXPECT_EQ(parsed.Errors, 0);
    // Both persons, over January 2009 to February 2010.
    int men = 0;
    int women = 0;
    int both = 0;
    for (const TParsedEvent& event : parsed.Events) {
        men += event.Uid.find("-man-19821223-") != std::string::npos;
        women += event.Uid.find("-woman-19830929-") != std::string::npos;
        both += event.Uid.find("forboth-19821223-19830929-") != std::string::npos;
        EXPECT_GE(event.First, *EncodeDate(2009, 1, 1));
        EXPECT_LE(event.Last, *EncodeDate(2010, 2, 28));
    }
    EXPECT_GT(men, 50);
    EXPECT_GT(women, 50);
    EXPECT_GT(both, 4);
    EXPECT_EQ(men + women + both, static_cast<int>(parsed.Events.size()));

    // Where no file can be made: status 1, no report, the reason on the error stream, and
    // nothing made on the way: no folder, nothing a dangling link names.
    Write(folder + QStringLiteral("plain"), "a file, not a folder");
    ASSERT_TRUE(QFile::link(folder + QStringLiteral("nowhere.ics"), folder + "dangling.ics"));
    const std::pair<const char*, const char*> rows[] = {
        {"plain/days.ics", "Это не каталог"},
        {"typo/dir/days.ics", "Файл или каталог не существует"},
        {"dangling.ics", "Ссылка не ведёт к обычному файлу или принадлежит другому пользователю"},
    };
    for (const auto& [name, reason] : rows) {
        const QString impossible = folder + QLatin1String(name);
        const TCommandResult failed = RunCommand(Couple + QStringList{"--ics", impossible}, Today);
        EXPECT_EQ(failed.Status, 1);
        EXPECT_TRUE(failed.Out.isEmpty());
        // The arguments were in order: no pointer to the help.
        EXPECT_EQ(QString::fromUtf8(failed.Err),
                  "orvanta: Не могу создать файл \"" + impossible + "\". " + reason + "\n");
    }
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("typo")));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("nowhere.ics")));
}

TEST_F(CommandLineTest, StoredCouplesAndTheirDaysGoodAndHardForBoth) {
    EXPECT_EQ(RunCommand({"orvanta", "couples"}, Today).Out, "Сохранённых пар нет.\n");
    EXPECT_EQ(RunCommand({"orvanta", "couples", "--format", "json"}, Today).Out, "[]\n");
    const QString name = "Аня; \"Петя\", \\ 🦔";
    Write(settingsPath, "[Couple1]\nName=" + name.toUtf8() +
                            "\nMan=23.12.1982\nWoman=29.09.1983\n"
                            "[Couple2]\nName=Аня\nMan=01.01.1990\nWoman=02.02.1991\n");
    EXPECT_EQ(QString::fromUtf8(RunCommand({"orvanta", "couples"}, Today).Out),
              name + ": мужчина — 23 декабря 1982 г., женщина — 29 сентября 1983 г.\n"
                     "Аня: мужчина — 1 января 1990 г., женщина — 2 февраля 1991 г.\n");
    EXPECT_EQ(
        QJsonDocument::fromJson(RunCommand({"orvanta", "couples", "--format", "json"}, Today).Out),
        QJsonDocument(QJsonArray{
            QJsonObject{{"name", name}, {"man", "1982-12-23"}, {"woman", "1983-09-29"}},
            QJsonObject{{"name", "Аня"}, {"man", "1990-01-01"}, {"woman", "1991-02-02"}}}));
    EXPECT_EQ(RunCommand({"orvanta", "report", "--couple", "аня"}, Today).Status, 2); // exactly
    EXPECT_EQ(Json(RunCommand({"orvanta", "report", "--couple", "Аня", "--format", "json"},
                              Today))["persons"][1]["birth"],
              "1991-02-02");

    // Both means above zero and their sum a peak, or both below and a dip (averages of
    // sin(2π·n / period), worked out apart from the program), from 9 January 2009 on.
    const QStringList report{"orvanta", "report", "--couple", name, "--date", "2009-01-09"};
    const QJsonObject json = Json(RunCommand(report + QStringList{"--format", "json"}, Today));
    EXPECT_EQ(json["couple"]["name"], name);
    EXPECT_EQ(json["compatibility"]["good_for_both"], (QJsonArray{"2009-01-22", "2009-02-17"}));
    EXPECT_EQ(json["compatibility"]["hard_for_both"], (QJsonArray{"2009-01-09", "2009-02-04"}));
    const QString csv = QString::fromUtf8(
        RunCommand(report + QStringList{"--format", "csv", "--days", "40"}, Today).Out);
    QStringList marked; // the date and the last two columns of the rows of such days
    for (const QString& row : csv.split("\r\n").filter(QRegularExpression(",(1,0|0,1)$")))
        marked << row.left(10) + row.right(4);
    EXPECT_EQ(marked, (QStringList{"2009-01-09,0,1", "2009-01-22,1,0", "2009-02-04,0,1",
                                   "2009-02-17,1,0"}));
    // The text: the name in the title; 22 January, the day after the last, is not listed.
    const QStringList text =
        QString::fromUtf8(RunCommand(report + QStringList{"--days", "13"}, Today).Out).split('\n');
    EXPECT_EQ(text.first(), "Отчёт о биоритмах пары на 9 января 2009 г. — " + name);
    EXPECT_EQ(text.mid(text.size() - 3),
              (QStringList{"  Хорошие дни для обоих: нет",
                           "  Трудные дни для обоих: 9 января 2009 г.", ""}));
}

TEST(CommandLineProcess, RunsWithoutADisplay) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    // `clock` set by faketime, whose library comes before the sanitizer's in the sanitizer build.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
    const auto run = [&](const QStringList& arguments, const QString& output = {},
                         const QString& clock = {}) {
        QProcess process;
        process.setProcessEnvironment(environment);
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
        if (clock.isEmpty())
            process.start(QStringLiteral(ORVANTA_PROGRAM), arguments);
        else
            process.start(QStringLiteral("faketime"),
                          QStringList{clock, QStringLiteral(ORVANTA_PROGRAM)} + arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return std::tuple{process.exitCode(), process.readAllStandardOutput(),
                          process.readAllStandardError()};
    };
    const QStringList couple = Couple.mid(1);

    // The command line maps Qt Core and no window library: the loader says what it maps.
    environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
    for (const QStringList& arguments : {couple + QStringList{"--format", "json", "--days", "365"},
                                         QStringList{"--help"}, QStringList{"--version"}}) {
        const QByteArray mapped = std::get<2>(run(arguments));
        EXPECT_TRUE(mapped.contains("file=libQt6Core.so")) << arguments.join(' ').toStdString();
        for (const char* library : {"Gui", "Widgets", "Svg", "PrintSupport", "DBus"})
            EXPECT_FALSE(mapped.contains(QByteArray("file=libQt6") + library))
                << library << " for " << arguments.join(' ').toStdString();
    }
    environment.remove(QStringLiteral("LD_DEBUG"));

    const auto [status, out, err] = run(couple + QStringList{"--format", "json", "--days", "3"});
    EXPECT_EQ(status, 0) << err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(out)["persons"][1]["days"][2]["date"].toString(),
              "2009-01-07");

    EXPECT_EQ(std::get<0>(run({"report", "--bogus"})), 2);
    // A report that cannot be written is a failure, not a success.
    const auto [fullStatus, fullOut, fullErr] = run(couple, QStringLiteral("/dev/full"));
    EXPECT_EQ(fullStatus, 1);
    EXPECT_EQ(fullErr, "orvanta: не могу вывести отчёт\n");

    // The clock near the calendar's end: the stamp is the clock's, and on the last day the
    // charted months of a report without --days do not exist, which it says.
    const QTemporaryDir dir;
    const QString calendar = dir.filePath(QStringLiteral("days.ics"));
    const QStringList today = couple.mid(0, 5); // no --date
    EXPECT_EQ(std::get<0>(run(today + QStringList{"--ics", calendar}, {}, "9999-11-30 16:56:08")),
              0);
    EXPECT_TRUE(ReadFile(calendar).contains("\r\nDTSTAMP:99991130T1656"));
    EXPECT_EQ(std::get<2>(run(today, {}, "9999-12-31 12:00:00")),
              "orvanta: у даты 9999-12-31 нет месяца после неё: месяцы графиков выходят за 31 "
              "декабря 9999 г., задайте --days\nСправка: orvanta --help\n");
}

TEST_F(CommandLineTest, FollowsTheLanguageOfTheSettingsFile) {
    // A small language of its own: what it names shows, the rest stays Russian.
    WriteLanguage("Test.lng.ini", "[Main]\nLocale=en_GB\n"
                                  "[Monthes]\n1=January\n12=December\n"
                                  "[Couple]\nMan=M\x1b\x07"
                                  "AN\nWoman=WOMAN\n"
                                  "[CommandLine]\nTitle=Report for %s\nHelpHint=Help: orvanta -h\n"
                                  "UnknownCommand=no command \"%s\"\n"
                                  "Help.Commands=one\\ntwo\nHelp.Options=three\n"
                                  "Help.Report=four\nHelp.Exit=five\n"
                                  "[Calendar]\nName=Test\x1b\x07\xc2\x85 days\x7f\n");
    WriteLanguage("Huge.lng.ini",
                  "[CommandLine]\nTitle=Huge %s\n" + QByteArray(MaxProfileFileSize, ';') + "\n");
    const QString calendar = folder + QStringLiteral("days.ics");
    // The file's texts, or the built-in ones for none, a missing one and one over the size
    // limit, also after another.
    const QStringList own{"Report for 5 January 2009", "MAN", "one\ntwo\n\nthree\n\nfour\n\nfive\n",
                          "orvanta: no command \"reprot\"\nHelp: orvanta -h\n", "Test days"};
    const QStringList builtIn{"Отчёт о биоритмах пары на 5 января 2009 г.", "Мужчина",
                              "Орванта — биоритмы пары.\n\nИспользование:\n",
                              "orvanta: неизвестная команда «reprot»\nСправка: orvanta --help\n",
                              "Орванта: критические дни"};
    for (const char* language : {"Test", "test", "", "Test", "Missing", "Huge"}) {
        SCOPED_TRACE(language);
        const QStringList& row = QByteArray(language).toLower() == "test" ? own : builtIn;
        Write(settingsPath, QByteArray("[Settings]\nLanguage=") + language + "\n");
        const TCommandResult text =
            RunCommand(Couple + QStringList{"--days", "1", "--ics", calendar}, Today);
        EXPECT_EQ(text.Status, 0);
        const QStringList lines = QString::fromUtf8(text.Out).split('\n');
        EXPECT_EQ(lines.value(0), row[0]);
        EXPECT_TRUE(lines.contains(row[1])) << text.Out.toStdString();
        EXPECT_TRUE(ReadFile(calendar).contains(("X-WR-CALNAME:" + row[4]).toUtf8()));
        const TCommandResult help = RunCommand({"orvanta", "--help"}, Today);
        EXPECT_TRUE(QString::fromUtf8(help.Out).startsWith(row[2])) << help.Out.toStdString();
        EXPECT_EQ(QString::fromUtf8(RunCommand({"orvanta", "reprot"}, Today).Err), row[3]);
        // The keys are for programs: the same in every language.
        const QJsonObject json = Json(RunCommand(Couple + QStringList{"--format", "json"}, Today));
        EXPECT_EQ(json["persons"].toArray()[0].toObject()["role"].toString(), "man");
    }

    // --language over the settings file's entry, "system" (here English, which Test.lng.ini's
    // locale matches) only where the file has none; a name without a file refused.
    const auto system = SystemUiLanguages;
    SystemUiLanguages = [] { return QStringList{QStringLiteral("en-GB")}; };
    const struct {
        const char* stored;
        QStringList asked;
        const QString& title;
    } asked[] = {
        {"", {"--language", "Test"}, own[0]},
        {"Language=Test\n", {"--language=Русский"}, builtIn[0]},
        {"", {"--language", "system"}, own[0]},
        {"Language=\n", {"--language", "system"}, builtIn[0]},
    };
    for (const auto& row : asked) {
        Write(settingsPath, QByteArray("[Settings]\n") + row.stored);
        const TCommandResult text =
            RunCommand(Couple + QStringList{"--days", "1"} + row.asked, Today);
        EXPECT_EQ(QString::fromUtf8(text.Out).section('\n', 0, 0), row.title) << row.stored;
    }
    SystemUiLanguages = system;
    const TCommandResult unknown = RunCommand(Couple + QStringList{"--language", "Klingon"}, Today);
    EXPECT_EQ(unknown.Status, 2);
    EXPECT_EQ(QString::fromUtf8(unknown.Err),
              "orvanta: нет языка «Klingon»: нужно имя языкового файла или system\n"
              "Справка: orvanta --help\n");

    // The shipped languages: no Russian word in the report, the help or a message; columns as
    // wide as their headings, numeric dates in the locale's order and separator with four-digit
    // years, numbers in its form, and one full stop after a long date.
    const std::array<std::array<const char*, 5>, 2> shippedRows{{
        {"English", "  Date          Phys.    Emot.   Intel.    Heart  Average",
         "  05/01/2009    +23.5", "  Age in days: 9,510", "Man, date of birth 23 December 1982."},
        {"Deutsch", "  Datum           Körp.      Emot.     Geist.       Herz Mittelwert",
         "  05.01.2009      +23,5", "  Alter in Tagen: 9.510",
         "Mann, geboren am 23. Dezember 1982."},
    }};
    for (const auto& [language, headLine, dateLine, daysLine, birthLine] : shippedRows) {
        SCOPED_TRACE(language);
        const QByteArray shipped =
            ReadFile(QStringLiteral(ORVANTA_LANGUAGE_DIR "/") + language + ".lng.ini");
        ASSERT_FALSE(shipped.isEmpty());
        WriteLanguage(QString::fromLatin1(language) + ".lng.ini", shipped);
        Write(settingsPath, QByteArray("[Settings]\nLanguage=") + language + "\n");
        const QString report =
            QString::fromUtf8(RunCommand(Couple + QStringList{"--ics", calendar}, Today).Out);
        EXPECT_TRUE(report.split('\n').contains(QString::fromUtf8(headLine)))
            << report.toStdString();
        EXPECT_TRUE(report.contains(QLatin1String("\n") + dateLine)) << report.toStdString();
        EXPECT_TRUE(report.split('\n').contains(daysLine)) << report.toStdString();
        const std::string description =
            ParseCalendar(ReadFile(calendar).toStdString()).Events.at(0).Description;
        EXPECT_EQ(description.substr(0, description.find('\n')), birthLine);
        for (const QStringList& arguments :
             {Couple + QStringList{"--ics", calendar}, QStringList{"orvanta", "--help"},
              QStringList{"orvanta", "reprot"}, Couple + QStringList{"--days", "x"},
              Couple + QStringList{"--ics", "/proc/x.ics"}}) {
            const TCommandResult result = RunCommand(arguments, Today);
            const QString shown = QString::fromUtf8(result.Out + result.Err + ReadFile(calendar));
            EXPECT_FALSE(std::any_of(shown.begin(), shown.end(), [](QChar c) {
                return c.script() == QChar::Script_Cyrillic;
            })) << shown.toStdString();
        }
    }
}
