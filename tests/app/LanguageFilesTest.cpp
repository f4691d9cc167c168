// The language files the program ships: each must fit the main window it translates.

#include "base/PluralRules.h"
#include "base/ProfileFile.h"
#include "base/TextFormat.h"
#include "base/TextTable.h"
#include "main/MainUnit.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "platform/LanguageFile.h"
#include "platform/ProgramFolder.h"
#include "platform/Translation.h"
#include "viewer/RtfReader.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextList>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <unicode/plurrule.h>

#include <algorithm>
#include <clocale>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

// Readable texts in failure messages.
static void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

const QString LanguageDir = QStringLiteral(ORVANTA_LANGUAGE_DIR);

// The name tables: section and entry count.
const std::map<std::string, int> Tables{{"Monthes", 12}, {"Zodiac", 12}, {"Element", 4}};
// The counts the program writes words after: ages and days lived, 0 to 1,000 and samples up to
// the days from the calendar's first day to its last.
std::vector<std::uint64_t> Counts() {
    std::vector<std::uint64_t> counts(1001);
    std::iota(counts.begin(), counts.end(), 0);
    for (std::uint64_t n = 1001; n <= 3652059; n = n * 7 / 5 + 1)
        counts.push_back(n);
    counts.insert(counts.end(), {1000000, 2000000, 1000001, 1100000, 3000000});
    return counts;
}

// The CLDR category of each count in the language, as ICU has it, independently of the
// program's own rules; the program itself does not link ICU.
std::map<std::uint64_t, std::string> IcuCategories(const std::string& language) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::PluralRules> rules(
        icu::PluralRules::forLocale(icu::Locale(language.c_str()), status));
    EXPECT_TRUE(U_SUCCESS(status)) << language;
    std::map<std::uint64_t, std::string> categories;
    for (const std::uint64_t n : Counts()) {
        std::string name;
        if (rules)
            rules->select(static_cast<std::int32_t>(n)).toUTF8String(name);
        categories[n] = name;
    }
    return categories;
}

// The components of the main window a language file names, by section: the commands are the
// window's own actions, the menu items belong to menus, labels and images go by their names.
std::map<std::string, std::vector<QObject*>> Components(QWidget* window) {
    std::map<std::string, std::vector<QObject*>> found;
    for (QObject* object : window->findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (qobject_cast<QAction*>(object) && !name.isEmpty())
            found[object->parent() == window ? "Action" : "MenuItem"].push_back(object);
        else if (qobject_cast<QGroupBox*>(object))
            found["GroupBox"].push_back(object);
        else if (qobject_cast<QLabel*>(object) && name.startsWith(QLatin1String("lb")))
            found["Label"].push_back(object);
        else if (object->isWidgetType() && name.startsWith(QLatin1String("im")))
            found["Image"].push_back(object);
    }
    return found;
}

// The property that shows a component's text, by section; the ".Hint" keys of commands and
// menu items set the status tip.
QString Shown(const std::string& section, const QObject* object) {
    const char* property = section == "GroupBox" ? "title"
                           : section == "Image"  ? "statusTip"
                                                 : "text";
    return object->property(property).toString();
}

struct LanguageFile {
    QString name; // the file name without ".lng.ini"
    QByteArray bytes;
    TProfileFile profile;
};

std::vector<LanguageFile> ShippedFiles() {
    std::vector<LanguageFile> files;
    const QDir dir(LanguageDir);
    for (const QString& entry : dir.entryList({QStringLiteral("*.lng.ini")}, QDir::Files)) {
        QFile file(dir.filePath(entry));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << entry.toStdString();
        QByteArray bytes = file.readAll();
        // The program skips a byte-order mark; so does this test.
        const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        files.push_back({entry.chopped(8), bytes, TProfileFile(text.toStdString())});
    }
    return files;
}

// The placeholders of a text, counted the way the program fills them: how many of the markers
// it is filled with show, each once and in order. A text without "%s" is shown as it is; one
// that does not format has none that fit.
std::optional<int> Placeholders(const std::string& text) {
    if (text.find("%s") == std::string::npos && text.find("%S") == std::string::npos)
        return 0;
    static const std::vector<std::string> markers{"\x01", "\x02", "\x03"};
    std::string filled;
    try {
        filled = FormatText(text, markers);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    int count = 0;
    for (char marker : {'\x01', '\x02', '\x03'}) {
        const auto times = std::count(filled.begin(), filled.end(), marker);
        if (times > 1 || (times == 1 && count != marker - 1))
            return std::nullopt; // a marker twice or out of order
        count += static_cast<int>(times);
    }
    return count;
}

class LanguageFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        DisplaySettings.RestoreDefaults();
        savedFolder = ProgramFolder;
        form = std::make_unique<TMainForm>();
        files = ShippedFiles();
        ASSERT_GE(files.size(), 2u) << "English and at least one more language are shipped";
    }
    void TearDown() override {
        form.reset();
        ProgramFolder = savedFolder;
        DisplaySettings.SetAnalysisRefresh({});
        DisplaySettings.RestoreDefaults();
    }

    QString savedFolder;
    std::unique_ptr<TMainForm> form;
    std::vector<LanguageFile> files;
};

} // namespace

TEST_F(LanguageFilesTest, AreUtf8AndEnglishIsAmongThem) {
    bool english = false;
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        english = english || file.name == QLatin1String("English");
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(file.bytes);
        EXPECT_FALSE(utf8.hasError()) << "not valid UTF-8";
        EXPECT_FALSE(text.contains(QChar::ReplacementCharacter));
        // "Русский" is the built-in entry of the menu; a file of that name would shadow it.
        EXPECT_NE(file.name, QStringLiteral("Русский"));
    }
    EXPECT_TRUE(english) << "English.lng.ini is not shipped";
}

// Every text of the program once, under its own key, none blank where the program shows one,
// with as many placeholders as the program fills: a key missing or misspelt leaves a text
// Russian, one given twice is read once, a placeholder too many shows as it is.
TEST_F(LanguageFilesTest, HoldEveryTextOnceWithItsPlaceholders) {
    // Section, key: the placeholders of its text, and whether it may be blank.
    std::map<std::string, std::map<std::string, std::pair<int, bool>>> wanted;
    wanted["Main"] = {{"Application.Title", {0, false}},
                      {"MainForm.Caption", {1, false}},
                      {"Locale", {0, false}}};
    for (const auto& [section, objects] : Components(form.get()))
        for (const QObject* object : objects) {
            const std::string name = object->objectName().toStdString();
            // The chart caption takes the two month names.
            wanted[section][name] = {name == "gbGraphics" ? 2 : 0,
                                     Shown(section, object).trimmed().isEmpty()};
            if (qobject_cast<const QAction*>(object) &&
                !object->property("statusTip").toString().isEmpty())
                wanted[section][name + ".Hint"] = {0, false};
        }
    for (const auto& [section, count] : Tables)
        for (int n = 1; n <= count; ++n) // plain numbers: "01" would be read by nobody
            wanted[section][std::to_string(n)] = {0, false};
    for (const TTextRow& row : TextTable) {
        const auto placeholders = Placeholders(std::string(row.BuiltIn));
        ASSERT_TRUE(placeholders) << row.BuiltIn;
        wanted[std::string(row.Section)][std::string(row.Key)] = {*placeholders, false};
    }

    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        // The forms of the words after a count, by the plural rules of the file's locale.
        const auto locale = ParseLocale(file.profile.Read("Main", "Locale", ""));
        ASSERT_TRUE(locale) << "no locale";
        const std::string language = QLocale::languageToCode(locale->language()).toStdString();
        // Each count's form as ICU picks it, and one entry per form ICU uses.
        auto needed = wanted;
        int wrong = 0;
        for (const auto& [n, category] : IcuCategories(language)) {
            const std::string_view program = PluralName(PluralCategory(language, n));
            if (program != category && ++wrong <= 5)
                ADD_FAILURE() << language << " " << n << ": " << program << ", ICU " << category;
            for (const char* kind : {"Year.", "Day."})
                needed["Words"][kind + category] = {0, false};
        }

        for (const auto& [section, keys] : needed) {
            SCOPED_TRACE(section);
            std::vector<std::string> given = file.profile.Keys(section);
            std::sort(given.begin(), given.end());
            std::vector<std::string> expected;
            for (const auto& [key, rule] : keys)
                expected.push_back(key);
            EXPECT_EQ(given, expected);
            std::set<std::string> names;
            for (const auto& [key, rule] : keys) {
                const std::string value = file.profile.Read(section, key, "");
                const auto [placeholders, blank] = rule;
                EXPECT_TRUE(blank || !value.empty()) << key << " is empty";
                EXPECT_EQ(Placeholders(value), placeholders) << key << ": " << value;
                EXPECT_TRUE(!Tables.contains(section) || names.insert(value).second)
                    << value << " is given twice";
            }
        }
        // Qt has its own texts in the language.
        QTranslator qt;
        EXPECT_TRUE(qt.load(*locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            << "Qt has no translations for " << locale->name().toStdString();
    }
}

// The files as the program itself finds and applies them, from a language folder beside it.
TEST_F(LanguageFilesTest, LoadIntoTheMainWindow) {
    ProgramFolder = QDir(LanguageDir + QStringLiteral("/..")).absolutePath() + QLatin1Char('/');
    form->BuildLanguageMenu();
    const QMenu* languageMenu = form->findChild<QMenu*>(QStringLiteral("miLanguage"));
    ASSERT_NE(languageMenu, nullptr);
    QStringList offered;
    for (const QAction* item : languageMenu->actions())
        offered << item->text();
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_EQ(offered.front(), QStringLiteral("Русский"));

    auto* prognose = form->findChild<QDateEdit*>(QStringLiteral("dtpPrognoseDate"));
    auto* man = form->findChild<QDateEdit*>(QStringLiteral("dtpManDateDay"));
    ASSERT_TRUE(prognose && man);
    {
        const QSignalBlocker blockPrognose(prognose);
        const QSignalBlocker blockMan(man);
        prognose->setDate(QDate(2024, 12, 10));
        man->setDate(QDate(1990, 7, 28)); // Leo: fire
    }
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        EXPECT_TRUE(offered.contains(file.name)) << "not in the Language menu";
        ASSERT_NO_THROW(form->LoadLanguage(file.name));

        const auto text = [&](const std::string& section, const std::string& key) {
            return QString::fromStdString(file.profile.Read(section, key, ""));
        };
        // Every component shows the file's text, a group box with a blank on each side. The chart
        // caption and the value labels are filled in.
        for (const auto& [section, objects] : Components(form.get()))
            for (const QObject* object : objects) {
                const std::string name = object->objectName().toStdString();
                const QString shown = Shown(section, object);
                if (section == "GroupBox") {
                    if (name != "gbGraphics") {
                        EXPECT_EQ(shown, " " + text(section, name) + " ") << name;
                    }
                } else if (section != "Label" || name.ends_with("DateDay")) {
                    EXPECT_EQ(shown, text(section, name)) << name;
                }
                if (section == "Action" || section == "MenuItem") {
                    EXPECT_EQ(object->property("statusTip").toString(),
                              file.profile.Read(section, name + ".Hint")
                                  ? text(section, name + ".Hint")
                                  : QString())
                        << name;
                    // A command that opens a dialog says so as the Russian caption does.
                    const auto dialog = [](const QString& caption) {
                        return caption.section(QLatin1Char('\t'), 0, 0).endsWith("...");
                    };
                    EXPECT_EQ(dialog(shown),
                              dialog(object->property("orvantaBuiltInText").toString()))
                        << name;
                }
            }
        EXPECT_EQ(form->windowTitle(),
                  text("Main", "MainForm.Caption").replace(QLatin1String("%s"), "3.3"));
        const QString chart = form->findChild<QGroupBox*>(QStringLiteral("gbGraphics"))->title();
        EXPECT_TRUE(chart.contains(text("Monthes", "12")) && chart.contains(text("Monthes", "1")))
            << chart.toStdString();
        EXPECT_FALSE(chart.contains(QLatin1String("%s"))) << chart.toStdString();
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lbMZodiac"))->text(),
                  text("Zodiac", "5"));
        EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("lbMElement"))->text(),
                  text("Element", "3"));
        // A control that carries a command shows the command's translated hint.
        EXPECT_EQ(form->findChild<QToolButton*>(QStringLiteral("sbTodayDateDay"))->toolTip(),
                  text("Action", "actGetCurrentDate.Hint"));
        // The shown shortcut in the words of Qt's translation for the language ("Strg+P").
        EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("miPrint"))
                      ->shortcut()
                      .toString(QKeySequence::NativeText),
                  QKeySequence(Qt::CTRL | Qt::Key_P).toString(QKeySequence::NativeText));
    }
}

namespace {

// How a help document looks: the character formats it uses, its headings (bold maroon blocks),
// its bulleted lists with their lengths and the paragraphs led by a bold navy name.
struct THelpLook {
    std::set<std::string> formats;
    bool centredTitle = false;
    int headings = 0;
    std::vector<int> lists;
    int leads = 0;
    QString text;
    QString title;
};

THelpLook LookOf(const QByteArray& rtf) {
    QTextDocument document;
    ReadRtf(rtf, document);
    THelpLook look;
    look.text = document.toPlainText();
    look.title = document.metaInformation(QTextDocument::DocumentTitle);
    const QTextList* list = nullptr;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            look.formats.insert(format.fontFamilies().toStringList().join(',').toStdString() + " " +
                                std::to_string(format.fontPointSize()) +
                                (format.fontWeight() >= QFont::Bold ? " bold " : " ") +
                                format.foreground().color().name().toStdString());
        }
        const QTextCharFormat first = block.begin().fragment().charFormat();
        const bool bold = first.fontWeight() >= QFont::Bold;
        if (bold && first.foreground().color() == QColor(128, 0, 0)) {
            look.centredTitle =
                look.centredTitle ||
                (block.blockNumber() == 0 && block.blockFormat().alignment() & Qt::AlignHCenter);
            ++look.headings;
        }
        if (bold && first.foreground().color() == QColor(0, 0, 128))
            ++look.leads;
        if (block.textList() && block.textList() != list)
            look.lists.push_back(block.textList()->count());
        list = block.textList();
    }
    return look;
}

} // namespace

// The user guides (the built-in Russian one and each language's help) look like the built-in
// help and tell of every feature, each under a heading, and of every key of the main window.
TEST_F(LanguageFilesTest, GuidesLookLikeTheBuiltInHelpAndTellOfEveryFeatureAndKey) {
    QFile resource(QStringLiteral(":/documents/HELP.rtf"));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const THelpLook builtIn = LookOf(resource.readAll());
    ASSERT_TRUE(builtIn.centredTitle);
    ASSERT_EQ(builtIn.lists, std::vector<int>{6});
    // Beyond the built-in help's two headings; the settings window's parts and the keys of the
    // main window in a list each.
    const std::vector<const char*> features{
        "charts and panels", "settings window",   "detail reports", "saving and printing",
        "chart read-out",    "calendar export",   "couples",        "command line",
        "languages",         "keyboard shortcuts"};
    ProgramFolder = QDir(LanguageDir + QStringLiteral("/..")).absolutePath() + QLatin1Char('/');
    std::vector<std::pair<QString, QString>> guides{{QString(), ":/documents/GUIDE.rtf"}};
    for (const LanguageFile& file : files)
        guides.emplace_back(file.name, LanguageDir + '/' + file.name + ".help.rtf");
    for (const auto& [language, path] : guides) {
        SCOPED_TRACE(path.toStdString());
        QFile guide(path);
        ASSERT_TRUE(guide.open(QIODevice::ReadOnly)) << "no guide";
        const THelpLook look = LookOf(guide.readAll());
        EXPECT_EQ(look.formats, builtIn.formats);
        EXPECT_TRUE(look.centredTitle);
        EXPECT_EQ(look.headings, builtIn.headings + static_cast<int>(features.size()));
        EXPECT_EQ(look.lists, (std::vector<int>{builtIn.lists[0], 4, 6}));
        // The heart rhythm has a paragraph too.
        EXPECT_EQ(look.leads, builtIn.leads + 1);
        EXPECT_GT(look.text.size(), builtIn.text.size());
        form->LoadLanguage(language);
        EXPECT_EQ(look.title, language.isEmpty() ? Tr({"InfoViewer", "Guide.Caption"})
                                                 : Tr({"InfoViewer", "Help.Caption"}));
        // Every key, in the words the menus show it in ("Strg+Umschalt+S").
        for (const QAction* command : form->actions()) {
            const QString key = command->shortcut().toString(QKeySequence::NativeText);
            EXPECT_TRUE(key.isEmpty() || look.text.contains(key))
                << command->objectName().toStdString();
        }
        // One term for one thing: the cycles, the good and bad day and the critical day in the
        // words of the language's window.
        for (const TTextKey term : {TTextKey{"Report", "Cycle.Physical"},
                                    {"Report", "Cycle.Emotional"},
                                    {"Report", "Cycle.Intellectual"},
                                    {"Report", "Cycle.Heart"},
                                    {"Report", "GoodDay"},
                                    {"Report", "BadDay"},
                                    {"Report", "CriticalDays"}})
            EXPECT_TRUE(look.text.contains(Tr(term).remove('&'), Qt::CaseInsensitive))
                << Tr(term).toStdString();
        // No Russian in another language: no Cyrillic in a Latin or Chinese one, none of the
        // letters only Russian has in a Cyrillic one.
        const bool cyrillic = QLocale().script() == QLocale::CyrillicScript;
        const auto russianOnly = [&](QChar ch) {
            return !language.isEmpty() && (cyrillic ? QStringLiteral("ЁёЪъЫыЭэ").contains(ch)
                                                    : ch.script() == QChar::Script_Cyrillic);
        };
        EXPECT_TRUE(std::none_of(look.text.begin(), look.text.end(), russianOnly))
            << look.text.toStdString();
    }
}

// "--language system" finds each shipped language from the system's own list, language and
// country first, then language alone; Russian, or a language without a file, is the built-in
// Russian.
TEST_F(LanguageFilesTest, TheSystemLanguageAndTheAskedOnePickTheLanguageToStartIn) {
    for (const LanguageFile& file : files) {
        const QString locale = QString::fromStdString(file.profile.Read("Main", "Locale", ""));
        EXPECT_EQ(SystemLanguage(LanguageDir, {QString(locale).replace('_', '-')}), file.name)
            << locale.toStdString();
    }
    const struct {
        QStringList system;
        const char* language; // the language chosen
    } systems[] = {
        {{"ru-RU", "en-GB"}, ""},
        {{"ja-JP", "de-AT", "en-GB"}, "Deutsch"},
        {{"en-US"}, "English"},
        {{"fr-CA", "en-GB"}, "Français"},
        {{"pt-PT"}, "Português"},
        {{"zh-Hans-CN"}, "中文"},
        {{"ja-JP"}, ""},
        {{"C"}, ""},
        {{}, ""},
    };
    for (const auto& row : systems)
        EXPECT_EQ(SystemLanguage(LanguageDir, row.system), QString::fromUtf8(row.language))
            << row.system.join(' ').toStdString();
    // An option without its name asks for nothing; the parser then says what is missing.
    EXPECT_EQ(LanguageAsked({"orvanta", "--language"}), std::nullopt);
}

// The language folder's names match without regard to letter case whatever the locale: under a
// Turkish one, "I" lowers to a dotless "ı", which must not keep "ITALIANO" from "Italiano".
TEST(LanguageFolder, MatchesNamesCaseBlindUnderATurkishLocale) {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("ITALIANO.lng.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const std::string before = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "tr_TR.UTF-8");
    InstallLocale(ParseLocale("tr_TR"));
    const QString found = FindLanguageFile(folder.path(), QStringLiteral("Italiano"));
    InstallLocale(std::nullopt);
    std::setlocale(LC_ALL, before.c_str());
    EXPECT_EQ(found, file.fileName());
}
