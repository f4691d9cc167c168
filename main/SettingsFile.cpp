#include "main/SettingsFile.h"

#include "main/LanguageFile.h"
#include "main/MainUnit.h"
#include "main/SettingsCodec.h"
#include "settings/DisplaySettings.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QStandardPaths>

#include <unistd.h>

#include <array>

namespace {

struct FlagEntry {
    const char* key;
    DisplayFlag flag;
};

// The flags in the order the file holds them.
constexpr std::array<FlagEntry, 8> FlagEntries{{
    {"cbOrdinate_Y", DisplayFlag::ShowOrdinate},
    {"cbAbscissa_X", DisplayFlag::ShowAbscissa},
    {"cbAxis", DisplayFlag::ShowDayLines},
    {"cbMonthNumbers", DisplayFlag::ShowDayNumbers},
    {"chkPhysical", DisplayFlag::UsePhysical},
    {"chkEmotional", DisplayFlag::UseEmotional},
    {"chkSavvy", DisplayFlag::UseIntellectual},
    {"chkWarmhearted", DisplayFlag::UseHeart},
}};

std::optional<std::int32_t> Integer(const TProfileFile& file, const char* key) {
    const auto text = file.Read(SettingsSection, key);
    return text ? ReadProfileInteger(*text) : std::nullopt;
}

std::optional<TDateTime> Date(const TProfileFile& file, const char* key) {
    const auto text = file.Read(SettingsSection, key);
    if (!text)
        return std::nullopt;
    const auto regional = TShortDateFormat::FromPattern(RegionalShortDateFormat().toStdString());
    return ReadStoredDate(*text, regional, QDate::currentDate().year());
}

} // namespace

std::function<QString()> RegionalShortDateFormat = [] {
    return QLocale::system().dateFormat(QLocale::ShortFormat);
};

std::function<bool(const QString& folder)> FolderWritable = [](const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
};

QString SettingsFilePath() {
    const QString name = QString::fromStdString(SettingsFileName(
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString()));
    const QString beside = ProgramFolder + name;
    // An installed program (its data in ../share/orvanta) never writes beside itself, even when
    // root could: the file would outlive the package in /usr/bin.
    const bool installed = QFileInfo(ProgramFolder + QStringLiteral("../share/orvanta")).isDir();
    if (QFileInfo::exists(beside) || (!installed && FolderWritable(ProgramFolder)))
        return beside;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           name;
}

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    // Unbuffered, so that a full disk shows in the write's count: a buffered write reports every
    // byte taken, and commit() then puts a cut file in place of the old one.
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.commit();
}

TStoredSettings ApplySettingsFile(const TProfileFile& file) {
    TStoredSettings stored;
    stored.ManBirthDate = Date(file, "lbManDateDay");
    stored.WomanBirthDate = Date(file, "lbWomanDateDay");
    for (const FlagEntry& entry : FlagEntries)
        if (const auto value = Integer(file, entry.key))
            DisplaySettings.SetFlag(entry.flag, *value != 0);
    if (const auto value = Integer(file, "gbAlphaBlend"))
        DisplaySettings.SetSettingsOpacity(*value);
    if (const auto value = Integer(file, "rgGraphics"))
        DisplaySettings.SetDisplayMode(*value);
    if (const auto value = Integer(file, "pnColorWoman"))
        DisplaySettings.SetWomanColor(static_cast<TColor>(*value));
    if (const auto value = Integer(file, "pnColorMan"))
        DisplaySettings.SetManColor(static_cast<TColor>(*value));
    stored.Language =
        DecodeLanguageText(QByteArray::fromStdString(file.Read(SettingsSection, "Language", "")));
    return stored;
}

TProfileFile WithSettings(TProfileFile file, TDateTime manBirthDate, TDateTime womanBirthDate) {
    const auto write = [&file](const char* key, const std::string& value) {
        file.Write(SettingsSection, key, value);
    };
    const auto number = [](auto value) { return std::to_string(static_cast<std::int32_t>(value)); };
    write("lbManDateDay", StoredDateText(manBirthDate));
    write("lbWomanDateDay", StoredDateText(womanBirthDate));
    for (const FlagEntry& entry : FlagEntries)
        write(entry.key, DisplaySettings.Flag(entry.flag) ? "1" : "0");
    write("gbAlphaBlend", number(DisplaySettings.SettingsOpacity()));
    write("rgGraphics", number(DisplaySettings.DisplayMode()));
    write("pnColorWoman", number(DisplaySettings.WomanColor()));
    write("pnColorMan", number(DisplaySettings.ManColor()));
    return file;
}
