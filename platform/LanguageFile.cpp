#include "platform/LanguageFile.h"

#include "base/ControlCharacters.h"
#include "base/Vocabulary.h"
#include "model/Shared.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsPath.h"
#include "platform/Translation.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>

namespace {

const QString Extension = QStringLiteral(".lng.ini");

} // namespace

QString DecodeLanguageText(const QByteArray& bytes) {
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1251("windows-1251");
    return cp1251.isValid() ? QString(cp1251.decode(view)) : QString::fromLatin1(view);
}

std::optional<QString> StoredLanguage(const TSettingsValues& settings) {
    if (!settings.Language)
        return std::nullopt;
    return DecodeLanguageText(QByteArray::fromStdString(*settings.Language));
}

std::function<QStringList()> SystemUiLanguages = [] { return QLocale::system().uiLanguages(); };

std::optional<QString> LanguageAsked(const QStringList& arguments) {
    static const QRegularExpression option(QStringLiteral("^--?language(=(.*))?$"));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QRegularExpressionMatch match = option.match(arguments[i]);
        if (!match.hasMatch())
            continue;
        if (match.hasCaptured(1))
            return match.captured(2);
        return i + 1 < arguments.size() ? std::optional(arguments[i + 1]) : std::nullopt;
    }
    return std::nullopt;
}

QString SystemLanguage(const QString& folder, const QStringList& uiLanguages) {
    std::vector<std::pair<QString, QLocale>> shipped;
    for (const QString& name : LanguageNames(folder)) {
        const TLanguageRead language = ReadLanguageAt(FindLanguageFile(folder, name));
        if (const auto locale = language.File
                                    ? ParseLocale(language.File->Read("Main", "Locale", ""))
                                    : std::nullopt)
            shipped.emplace_back(name, *locale);
    }
    for (const QString& entry : uiLanguages) {
        const QLocale wanted(entry);
        if (wanted.language() == QLocale::Russian)
            return {};
        const auto same = [&](bool country) {
            return std::find_if(shipped.begin(), shipped.end(), [&](const auto& language) {
                return language.second.language() == wanted.language() &&
                       (!country || language.second.territory() == wanted.territory());
            });
        };
        for (const bool country : {true, false})
            if (const auto match = same(country); match != shipped.end())
                return match->first;
    }
    return {};
}

std::optional<QString> StartLanguage(const std::optional<QString>& stored,
                                     const std::optional<QString>& asked, const QString& folder,
                                     const QStringList& uiLanguages) {
    if (!asked)
        return stored.value_or(QString());
    if (*asked == QLatin1String("system"))
        return stored ? *stored : SystemLanguage(folder, uiLanguages);
    if (*asked == QStringLiteral("Русский"))
        return QString();
    if (FindLanguageFile(folder, *asked).isEmpty())
        return std::nullopt;
    return asked;
}

TProfileFile LanguageProfile(const QByteArray& bytes) {
    // Each line cleaned on its own, so that the lines stay lines: a text never holds a control
    // character (the two characters "\n" that stand for a line break are no control).
    const std::string text = DecodeLanguageText(bytes).toStdString();
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        clean += WithoutControlCharacters(std::string_view(text).substr(begin, end - begin));
        if (end < text.size())
            clean += '\n';
        begin = end + 1;
    }
    return TProfileFile(clean);
}

TLanguageRead ReadLanguageAt(const QString& path) {
    if (path.isEmpty())
        return {};
    const TProfileRead read = ReadProfileFile(path);
    TLanguageRead language{path, read.status, std::nullopt};
    if (read.status == TProfileRead::Read)
        language.File = LanguageProfile(read.bytes);
    return language;
}

TLanguageRead ReadLanguageNamed(const QString& name) {
    return ReadLanguageAt(name.isEmpty() ? QString() : FindLanguageFile(LanguageFolder(), name));
}

namespace {

// The month, zodiac sign and element names of a language file, each name it lacks as its number.
void InstallLanguageNames(const TProfileFile& file) {
    const auto name = [&file](const char* section, int n) {
        return file.Read(section, std::to_string(n), std::to_string(n));
    };
    for (int n = 1; n <= 12; ++n) {
        MonthNames.Set(n, name("Monthes", n));
        ZodiacNames.Set(n, name("Zodiac", n));
    }
    for (int n = 1; n <= 4; ++n)
        ElementNames.Set(n, name("Element", n));
}

} // namespace

void InstallLanguageEverywhere(const TProfileFile* file) {
    if (file)
        InstallLanguageNames(*file);
    else
        InstallBuiltInNames();
    InstallLanguage(file);
}

QString LanguageFolder() {
    const QString beside = ProgramFolder + QStringLiteral("Language/");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(ProgramFolder + QStringLiteral("../share/orvanta/Language"));
    return QFileInfo(installed).isDir() ? installed + QLatin1Char('/') : beside;
}

QString FindLanguageFile(const QString& folder, const QString& name) {
    return FindFileIgnoringCase(folder, name + Extension);
}

QString FindFileIgnoringCase(const QString& folder, const QString& fileName) {
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    // A link to a FIFO or device is listed all the same.
    const auto match = std::find_if(entries.begin(), entries.end(), [&](const QFileInfo& entry) {
        return entry.fileName().compare(fileName, Qt::CaseInsensitive) == 0 && entry.isFile();
    });
    return match == entries.end() ? QString() : match->filePath();
}

QStringList LanguageNames(const QString& folder) {
    QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.fileName().compare(b.fileName(), Qt::CaseInsensitive) < 0;
    });
    QStringList names;
    for (const QFileInfo& entry : entries) {
        QString name = entry.fileName();
        if (!name.endsWith(Extension, Qt::CaseInsensitive) || !(entry.isDir() || entry.isFile()))
            continue;
        names << name.remove(Extension, Qt::CaseInsensitive);
    }
    return names;
}
