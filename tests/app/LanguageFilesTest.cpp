// The language files the program ships: each must fit the main window it translates.

#include "base/ProfileFile.h"
#include "base/TextFormat.h"
#include "base/TextTable.h"
#include "main/MainUnit.h"
#include "main/ProgramFolder.h"
#include "model/DisplaySettings.h"
#include "model/Shared.h"
#include "viewer/RtfReader.h"
#include "widgets/Translation.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextList>
#include <QToolButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
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

// The components a language file addresses, section by section.
const std::map<std::string, std::vector<std::string>> Components{
    {"Action",
     {"actAnalysis", "actGetCurrentDate", "actExit", "actShowOnlyManGraphics",
      "actShowOnlyWomanGraphics", "actSettings", "actAbout", "actSaveAs", "actPrint",
      "actExportCalendar", "actManInfo", "actWomanInfo", "actHelp"}},
    {"MenuItem",
     {"miFile", "actSettings1", "N1", "miPrint", "miExportCalendar", "miLanguage", "miSep_File",
      "miClose", "miHelp", "N2", "miSep_Help", "N5", "mipmSettings", "mipmSeparator", "mipmHelp",
      "mipmAbout"}},
    {"GroupBox",
     {"gbGraphics", "gbPhysical", "gbEmotional", "gbSavvy", "gbWarmhearted", "gbAllOrvanta",
      "gbMan", "gbWoman", "gbPrognoseDate"}},
    {"Label",
     {"lbMZodiac", "lbMQuanDays", "lbMMinDay", "lbMMaxDay", "lbMElement", "lbManDateDay", "lbMAge",
      "lbWZodiac", "lbWQuanDays", "lbWomanDateDay", "lbWMinDay", "lbWMaxDay", "lbWElement",
      "lbWAge"}},
    {"Image",
     {"imPhysical", "imEmotional", "imSavvy", "imWarmhearted", "imAllOrvanta", "imMMaxDay",
      "imMZodiac", "imMQuanDays", "imMMinDay", "imMElement", "imMAge", "imWZodiac", "imWQuanDays",
      "imWMinDay", "imWMaxDay", "imWElement", "imWAge"}},
};
// The sections whose ".Hint" keys set a hint beside the caption.
const std::set<std::string> HintedSections{"Action", "MenuItem"};
// The name tables: section and entry count.
const std::map<std::string, int> Tables{{"Monthes", 12}, {"Zodiac", 12}, {"Element", 4}};

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

// How many of each marker a format text shows once it is filled with the markers in order: the
// placeholders it has, counted the way the program fills them. Empty when the text does not
// format at all.
std::optional<std::string> Filled(const std::string& format) {
    static const std::vector<std::string> markers{"\x01", "\x02", "\x03"};
    try {
        return FormatText(format, markers);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool HasPlaceholder(const std::string& text) {
    return text.find("%s") != std::string::npos || text.find("%S") != std::string::npos;
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

    // The built-in text of a component of the window, by section: what a translation replaces.
    // Nothing when the window has no such component of that kind.
    std::optional<QString> BuiltInText(const std::string& section, const std::string& key) const {
        const QString name = QString::fromStdString(key);
        if (section == "Action") {
            for (QAction* command : form->actions())
                if (command->objectName() == name)
                    return command->text();
            return std::nullopt;
        }
        if (section == "MenuItem") {
            for (QMenu* menu : form->findChildren<QMenu*>()) {
                if (menu->menuAction()->objectName() == name)
                    return menu->menuAction()->text();
                for (QAction* item : menu->actions())
                    if (item->objectName() == name)
                        return item->text();
            }
            return std::nullopt;
        }
        if (section == "GroupBox") {
            if (auto* box = form->findChild<QGroupBox*>(name))
                return box->title();
            return std::nullopt;
        }
        if (section == "Label") {
            auto* label = form->findChild<QLabel*>(name);
            if (label && name.startsWith(QLatin1String("lb")))
                return label->text();
            return std::nullopt;
        }
        if (section == "Image") {
            auto* image = form->findChild<QWidget*>(name);
            if (image && name.startsWith(QLatin1String("im")))
                return image->statusTip();
            return std::nullopt;
        }
        return std::nullopt;
    }

    // The built-in hint of a command or menu item, by its name.
    QString BuiltInHint(const std::string& key) const {
        const auto* action = form->findChild<QAction*>(QString::fromStdString(key));
        return action ? action->statusTip() : QString();
    }

    QString savedFolder;
    std::unique_ptr<TMainForm> form;
    std::vector<LanguageFile> files;
};

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

TEST_F(LanguageFilesTest, NameOnlyComponentsOfTheMainWindowAndCoverThemAll) {
    // The component table and the window agree, or no file could translate the window.
    for (const auto& [section, names] : Components)
        for (const std::string& name : names)
            EXPECT_TRUE(BuiltInText(section, name)) << section << " " << name << " not in window";

    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        for (const auto& [section, names] : Components) {
            SCOPED_TRACE(section);
            const std::vector<std::string> keys = file.profile.Keys(section);
            const std::set<std::string> unique(keys.begin(), keys.end());
            // The first of two equal keys wins and the second is silently ignored.
            EXPECT_EQ(unique.size(), keys.size()) << "a key is given twice";

            for (const std::string& key : keys) {
                const bool hint = key.ends_with(".Hint");
                const std::string name = hint ? key.substr(0, key.size() - 5) : key;
                EXPECT_TRUE(BuiltInText(section, name)) << key << " names no such component";
                EXPECT_TRUE(!hint || HintedSections.contains(section)) << key;
            }
            for (const std::string& name : names) {
                const auto value = file.profile.Read(section, name);
                if (!value) {
                    ADD_FAILURE() << name << " is missing";
                    continue;
                }
                // A translation never blanks a text the window shows.
                const bool shown =
                    !BuiltInText(section, name).value_or(QString()).trimmed().isEmpty();
                EXPECT_TRUE(!shown || !value->empty()) << name << " is empty";
                const bool hinted =
                    HintedSections.contains(section) && !BuiltInHint(name).isEmpty();
                EXPECT_TRUE(!hinted || !file.profile.Read(section, name + ".Hint", "").empty())
                    << name << ".Hint is missing";
            }
        }
    }
}

TEST_F(LanguageFilesTest, PlaceholdersFitWhatFillsThem) {
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        const std::string title = file.profile.Read("Main", "Application.Title", "");
        EXPECT_FALSE(title.empty()) << "no application title";
        EXPECT_FALSE(HasPlaceholder(title));

        // The window caption takes the version, once.
        const auto caption = file.profile.Read("Main", "MainForm.Caption");
        ASSERT_TRUE(caption) << "no window caption";
        const auto filledCaption = Filled(*caption);
        ASSERT_TRUE(filledCaption) << *caption << " does not format";
        EXPECT_EQ(std::count(filledCaption->begin(), filledCaption->end(), '\x01'), 1) << *caption;
        EXPECT_EQ(filledCaption->find('\x02'), std::string::npos) << *caption;

        // The chart caption takes the two month names, each once, the forecast month first.
        const auto chart = file.profile.Read("GroupBox", "gbGraphics");
        ASSERT_TRUE(chart);
        const auto filledChart = Filled(*chart);
        ASSERT_TRUE(filledChart) << *chart << " does not format";
        EXPECT_EQ(std::count(filledChart->begin(), filledChart->end(), '\x01'), 1) << *chart;
        EXPECT_EQ(std::count(filledChart->begin(), filledChart->end(), '\x02'), 1) << *chart;
        EXPECT_EQ(filledChart->find('\x03'), std::string::npos) << *chart;

        // Nothing else is formatted: a placeholder there would show as it is.
        std::vector<std::string> sections;
        for (const auto& [section, names] : Components)
            sections.push_back(section);
        for (const auto& [section, count] : Tables)
            sections.push_back(section);
        for (const std::string& section : sections) {
            for (const std::string& key : file.profile.Keys(section)) {
                const bool formatted = section == "GroupBox" && key == "gbGraphics";
                EXPECT_TRUE(formatted || !HasPlaceholder(file.profile.Read(section, key, "")))
                    << section << " " << key;
            }
        }
    }
}

TEST_F(LanguageFilesTest, NameEveryMonthSignAndElementOnce) {
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        for (const auto& [section, count] : Tables) {
            SCOPED_TRACE(section);
            // Keys are plain numbers: "01" or "13" would be read by nobody.
            std::set<std::string> expected;
            for (int n = 1; n <= count; ++n)
                expected.insert(std::to_string(n));
            const std::vector<std::string> keys = file.profile.Keys(section);
            EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()), expected);
            EXPECT_EQ(keys.size(), expected.size()) << "a key is given twice";

            std::set<std::string> names;
            for (int n = 1; n <= count; ++n) {
                const std::string name = file.profile.Read(section, std::to_string(n), "");
                EXPECT_FALSE(name.empty()) << n;
                EXPECT_TRUE(names.insert(name).second) << name << " is given twice";
            }
        }
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

        const auto text = [&](const char* section, const std::string& key) {
            return QString::fromStdString(file.profile.Read(section, key, ""));
        };
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
        EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("miClose"))->text(),
                  text("MenuItem", "miClose") + "\tEsc");
        // The shown shortcut in the language's words.
        EXPECT_EQ(form->findChild<QAction*>(QStringLiteral("miPrint"))->text(),
                  text("MenuItem", "miPrint") + (file.name == "Deutsch" ? "\tStrg+P" : "\tCtrl+P"));
    }
}

} // namespace

namespace {

// The plural categories of integers in the languages shipped (CLDR): the [Words] forms each
// needs. A file in another language fails until its line is added here.
const std::map<std::string, std::set<std::string>> WordForms{
    {"en", {"one", "other"}}, {"de", {"one", "other"}}, {"ru", {"one", "few", "many"}}};

// The placeholders of a text, counted by filling it: how many markers show, each once.
std::optional<int> Placeholders(const std::string& text) {
    const auto filled = Filled(text);
    if (!filled)
        return std::nullopt;
    int count = 0;
    for (char marker : {'\x01', '\x02', '\x03'}) {
        const auto times = std::count(filled->begin(), filled->end(), marker);
        if (times > 1 || (times == 1 && count != marker - 1))
            return std::nullopt; // a marker twice or out of order
        count += static_cast<int>(times);
    }
    return count;
}

} // namespace

TEST_F(LanguageFilesTest, HoldEveryTextOfTheOtherWindowsWithItsPlaceholders) {
    std::set<std::string> sections;
    for (const TTextRow& row : TextTable)
        sections.insert(std::string(row.Section));
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        for (const TTextRow& row : TextTable) {
            SCOPED_TRACE(std::string(row.Section) + " " + std::string(row.Key));
            const auto value = file.profile.Read(row.Section, row.Key);
            if (!value) {
                ADD_FAILURE() << "missing";
                continue;
            }
            EXPECT_FALSE(value->empty());
            const std::string builtIn(row.BuiltIn);
            if (!HasPlaceholder(builtIn)) {
                EXPECT_FALSE(HasPlaceholder(*value)) << *value << " is shown as it is";
                continue;
            }
            const auto wanted = Placeholders(builtIn);
            ASSERT_TRUE(wanted && *wanted > 0) << builtIn;
            EXPECT_EQ(Placeholders(*value), wanted) << *value;
        }
        // A key the table does not know is a typo that leaves a text Russian.
        for (const std::string& section : sections)
            for (const std::string& key : file.profile.Keys(section))
                EXPECT_TRUE(std::any_of(
                    TextTable.begin(), TextTable.end(),
                    [&](const TTextRow& row) { return row.Section == section && row.Key == key; }))
                    << section << " " << key << " is no text of the program";
    }
}

TEST_F(LanguageFilesTest, NameALocaleWithQtsTranslationsAndItsWordForms) {
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        const auto locale = ParseLocale(file.profile.Read("Main", "Locale", ""));
        ASSERT_TRUE(locale) << "no locale";
        QTranslator qt;
        EXPECT_TRUE(qt.load(*locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            << "Qt has no translations for " << locale->name().toStdString();
        const std::string language = QLocale::languageToCode(locale->language()).toStdString();
        ASSERT_TRUE(WordForms.contains(language)) << language;
        std::set<std::string> expected;
        for (const std::string& category : WordForms.at(language))
            for (const char* kind : {"Year.", "Day."})
                expected.insert(kind + category);
        const std::vector<std::string> keys = file.profile.Keys("Words");
        EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()), expected);
        for (const std::string& key : keys)
            EXPECT_FALSE(file.profile.Read("Words", key, "").empty()) << key;
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

TEST_F(LanguageFilesTest, HelpDocumentsLookLikeTheBuiltInHelpAndSayMore) {
    QFile resource(QStringLiteral(":/documents/HELP.rtf"));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const THelpLook builtIn = LookOf(resource.readAll());
    ASSERT_TRUE(builtIn.centredTitle);
    ASSERT_EQ(builtIn.lists, std::vector<int>{6});
    for (const LanguageFile& file : files) {
        SCOPED_TRACE(file.name.toStdString());
        QFile help(LanguageDir + QLatin1Char('/') + file.name + QStringLiteral(".help.rtf"));
        ASSERT_TRUE(help.open(QIODevice::ReadOnly)) << "no help document";
        const THelpLook look = LookOf(help.readAll());
        EXPECT_EQ(look.formats, builtIn.formats);
        EXPECT_TRUE(look.centredTitle);
        // The built-in parts, and the settings window, the detail report and saving and
        // printing, each under a heading of its own; the settings window's parts in a list.
        EXPECT_EQ(look.headings, builtIn.headings + 3);
        EXPECT_EQ(look.lists, (std::vector<int>{builtIn.lists[0], 4}));
        // The heart rhythm has a paragraph too.
        EXPECT_EQ(look.leads, builtIn.leads + 1);
        EXPECT_EQ(look.title,
                  QString::fromStdString(file.profile.Read("InfoViewer", "Help.Caption", "")));
        EXPECT_GT(look.text.size(), builtIn.text.size());
        for (const QChar ch : look.text)
            ASSERT_FALSE(ch.script() == QChar::Script_Cyrillic) << look.text.toStdString();
    }
}
