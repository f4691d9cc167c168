#include "main/SettingsFile.h"

#include "base/SettingsCodec.h"
#include "main/LanguageFile.h"
#include "main/ProgramFolder.h"
#include "model/DisplaySettings.h"
#include "model/Error.h"
#include "widgets/ErrorBox.h"
#include "widgets/SaveFile.h"
#include "widgets/Translation.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <array>

namespace {

bool SameFile(const QString& a, const QString& b) {
    struct stat x {};
    struct stat y {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

} // namespace

std::function<QString()> RegionalShortDateFormat = [] {
    return QLocale::system().dateFormat(QLocale::ShortFormat);
};

std::function<bool(const QString& folder)> FolderWritable = [](const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
};

QString SettingsFilePath() {
    const QString program = QCoreApplication::applicationFilePath();
    const QString name =
        QString::fromStdString(SettingsFileName(QFileInfo(program).fileName().toStdString()));
    const QString beside = ProgramFolder + name;
    // An installed program (its data in ../share/orvanta) never writes beside itself, even when
    // root could: the file would outlive the package in /usr/bin.
    const bool installed = QFileInfo(ProgramFolder + QStringLiteral("../share/orvanta")).isDir();
    // A folder in its place stays the settings file, which then cannot be written; a FIFO or
    // device is no file to keep settings in, nor is the program. A link counts only where it
    // may be written through (its own user's, to a regular file): another user's link in a
    // shared folder could aim the close's write at any file.
    const QFileInfo file(beside);
    if (file.isSymLink()) {
        if (SaveTarget(beside, true) && !SameFile(beside, program))
            return beside;
    } else if (file.isDir() || (file.isFile() && !SameFile(beside, program)) ||
               (!file.exists() && !installed && FolderWritable(ProgramFolder))) {
        return beside;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           name;
}

TProfileRead ReadProfileFile(const QString& path) {
    return ReadRegularFile(path, MaxProfileFileSize);
}

TProfileFile LoadSettingsFile(const QString& path) {
    const TProfileRead read = ReadProfileFile(path);
    if (read.status == TProfileRead::TooLarge)
        ShowErrorBox(
            TrFormat({"Messages", "SettingsTooLarge"},
                     {FullFileName(path), QString::number(MaxProfileFileSize / (1024 * 1024))}));
    return TProfileFile(std::string_view(read.bytes.constData(), read.bytes.size()));
}

void SaveSettingsFile(const QString& path, TDateTime manBirthDate, TDateTime womanBirthDate) {
    // A link the close may not write through: said once, and the window closes, since no later
    // close could do better.
    if (!SaveTarget(path, true)) {
        ShowErrorBox(CannotWriteMessage(path));
        return;
    }
    const TProfileRead read = ReadProfileFile(path);
    // Refused at start-up, as the error box said then: the file stays as it is.
    if (read.status == TProfileRead::TooLarge)
        return;
    const TProfileFile file =
        WithSettings(TProfileFile(std::string_view(read.bytes.constData(), read.bytes.size())),
                     manBirthDate, womanBirthDate);
    const std::string bytes = file.Bytes();
    // Written, the file would be refused at every later start, and the settings lost for good.
    if (static_cast<qint64>(bytes.size()) > MaxProfileFileSize) {
        ShowErrorBox(
            TrFormat({"Messages", "SettingsWouldBeTooLarge"},
                     {FullFileName(path), QString::number(MaxProfileFileSize / (1024 * 1024))}));
        return;
    }
    // All fourteen entries in one pass, the file replaced as a whole: never half old, half new.
    // Only a settings file the user made writable in a folder that is not (a read-only program
    // folder) is written in place, or it could never be saved.
    if (read.status == TProfileRead::Unreadable ||
        SaveWholeFile(
            path, QByteArray::fromStdString(bytes),
            {.createFolder = true, .inPlaceWhenFolderRefuses = true, .onlyOwnLinks = true}))
        throw EProgramError(CannotWriteMessage(path).toStdString());
}

TStoredSettings ApplySettingsFile(const TProfileFile& file) {
    const TSettingsValues values = ReadSettingsValues(
        file, TShortDateFormat::FromPattern(RegionalShortDateFormat().toStdString()),
        QDate::currentDate().year());
    for (const DisplayFlag flag : StoredFlagOrder)
        if (const auto on = values.Flags[static_cast<std::size_t>(flag)])
            DisplaySettings.SetFlag(flag, *on);
    if (values.Opacity)
        DisplaySettings.SetSettingsOpacity(*values.Opacity);
    if (values.DisplayMode)
        DisplaySettings.SetDisplayMode(*values.DisplayMode);
    if (values.WomanColor)
        DisplaySettings.SetWomanColor(*values.WomanColor);
    if (values.ManColor)
        DisplaySettings.SetManColor(*values.ManColor);
    return {values.ManBirthDate, values.WomanBirthDate,
            DecodeLanguageText(QByteArray::fromStdString(values.Language))};
}

TProfileFile WithSettings(TProfileFile file, TDateTime manBirthDate, TDateTime womanBirthDate) {
    TSettingsToWrite values{manBirthDate,
                            womanBirthDate,
                            {},
                            DisplaySettings.SettingsOpacity(),
                            DisplaySettings.DisplayMode(),
                            DisplaySettings.WomanColor(),
                            DisplaySettings.ManColor()};
    for (const DisplayFlag flag : StoredFlagOrder)
        values.Flags[static_cast<std::size_t>(flag)] = DisplaySettings.Flag(flag);
    WriteSettingsValues(file, values);
    return file;
}
