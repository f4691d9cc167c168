#include "main/SettingsFile.h"

#include "model/DisplaySettings.h"
#include "model/Error.h"
#include "platform/Couples.h"
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

namespace {

// How a write of the settings file ended.
enum class TSettingsWrite {
    Written,
    Unchanged, // the change changed nothing
    Kept,      // the error box said why the file stays as it is
    Failed,    // the file could not be read to keep its other lines, or not written
};

// Reads the file again, applies `change` (which says whether it changed anything) and replaces
// the file, every other line kept. `sayTooLarge`: a file refused at start-up is said to be too
// large again, rather than kept silently.
TSettingsWrite ChangeSettingsFile(const QString& path,
                                  const std::function<bool(TProfileFile&)>& change,
                                  bool sayTooLarge) {
    const QString limit = QString::number(MaxProfileFileSize / (1024 * 1024));
    // A link that may not be written through: said once, since no later write could do better.
    if (!SaveTarget(path, true)) {
        ShowErrorBox(CannotWriteMessage(path));
        return TSettingsWrite::Kept;
    }
    const TProfileRead read = ReadProfileFile(path);
    if (read.status == TProfileRead::TooLarge) {
        if (sayTooLarge)
            ShowErrorBox(TrFormat({"Messages", "SettingsTooLarge"}, {FullFileName(path), limit}));
        return TSettingsWrite::Kept;
    }
    if (read.status == TProfileRead::Unreadable)
        return TSettingsWrite::Failed;
    TProfileFile file(std::string_view(read.bytes.constData(), read.bytes.size()));
    if (!change(file))
        return TSettingsWrite::Unchanged;
    const std::string bytes = file.Bytes();
    // Written, the file would be refused at every later start, and the settings lost for good.
    if (static_cast<qint64>(bytes.size()) > MaxProfileFileSize) {
        ShowErrorBox(
            TrFormat({"Messages", "SettingsWouldBeTooLarge"}, {FullFileName(path), limit}));
        return TSettingsWrite::Kept;
    }
    // Replaced as a whole: never half old, half new. Only a settings file the user made writable
    // in a folder that is not (a read-only program folder) is written in place, or it could
    // never be saved.
    return SaveWholeFile(
               path, QByteArray::fromStdString(bytes),
               {.createFolder = true, .inPlaceWhenFolderRefuses = true, .onlyOwnLinks = true})
               ? TSettingsWrite::Written
               : TSettingsWrite::Failed;
}

} // namespace

void SaveSettingsFile(const QString& path, TDateTime manBirthDate, TDateTime womanBirthDate) {
    // A file refused at start-up stays as it is, as the error box said then.
    const auto written = ChangeSettingsFile(
        path,
        [&](TProfileFile& file) {
            file = WithSettings(std::move(file), manBirthDate, womanBirthDate);
            return true;
        },
        false);
    if (written == TSettingsWrite::Failed)
        throw EProgramError(CannotWriteMessage(path).toStdString());
}

std::vector<TStoredCouple> ReadStoredCouples(const QString& path) {
    const TProfileRead read = ReadProfileFile(path);
    return StoredCouples(TProfileFile(std::string_view(read.bytes.constData(), read.bytes.size())));
}

std::optional<TCoupleChange> ChangeStoredCouples(
    const QString& path,
    const std::function<TCoupleChange(TProfileFile&, const TCoupleReading&)>& change) {
    const TCoupleReading reading = CoupleReading();
    TCoupleChange result = TCoupleChange::Done;
    const auto written = ChangeSettingsFile(
        path,
        [&](TProfileFile& file) {
            result = change(file, reading);
            return result == TCoupleChange::Done;
        },
        true);
    if (written == TSettingsWrite::Failed)
        ShowErrorBox(CannotWriteMessage(path));
    if (written == TSettingsWrite::Failed || written == TSettingsWrite::Kept)
        return std::nullopt;
    return result;
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
