#include "platform/LanguageFile.h"

#include "base/ControlCharacters.h"
#include "base/Vocabulary.h"
#include "model/Shared.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsPath.h"
#include "platform/Translation.h"

#include <QDir>
#include <QFileInfo>
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

QString StoredLanguage(const TSettingsValues& settings) {
    return DecodeLanguageText(QByteArray::fromStdString(settings.Language));
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
