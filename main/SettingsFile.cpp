#include "main/SettingsFile.h"

#include "model/DisplaySettings.h"
#include "model/Error.h"
#include "platform/LanguageFile.h"
#include "platform/Translation.h"
#include "widgets/ErrorBox.h"

#include <QDate>

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
        !SaveWholeFile(
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
    return {values.ManBirthDate, values.WomanBirthDate, StoredLanguage(values)};
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
