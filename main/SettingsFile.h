#pragma once

#include "base/Couples.h"
#include "base/ProfileFile.h"
#include "base/SettingsEntries.h"
#include "model/DateTime.h"
#include "platform/SettingsPath.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The entries of the settings file at `path` for start-up; none when it is missing or no
// regular file. A file larger than MaxProfileFileSize is refused: the error box says so, and that
// it will not be written.
TProfileFile LoadSettingsFile(const QString& path);

// Writes the birth dates and DisplaySettings into the settings file at `path` in one pass, every
// other line kept, replacing it as SaveWholeFile does (in place only when its folder
// refuses the temporary file but the file may be written). A file larger than
// MaxProfileFileSize is left as it is. The error box says so once, and the file is left as it
// is, when the file would grow past that limit or `path` is a link that may not be written
// through (SaveTarget with only the user's own links). Throws EProgramError "Не могу записать в
// <full path>" when the file cannot be written, or cannot be read to keep its other lines.
void SaveSettingsFile(const QString& path, TDateTime manBirthDate, TDateTime womanBirthDate);

// The stored birth dates and display settings.
struct TStoredSettings {
    std::optional<TDateTime> ManBirthDate;
    std::optional<TDateTime> WomanBirthDate;
    std::optional<QString> Language; // none without the entry
};

// Reads the fourteen entries in their order into DisplaySettings (each entry that cannot be read
// leaves its field as it is) and returns the dates that read and the language to load. Runs no
// refresh: the settings are not connected yet while it runs.
TStoredSettings ApplySettingsFile(const TProfileFile& file);

// The file with the fourteen entries written from the two birth dates and DisplaySettings, every
// other line kept as it was.
TProfileFile WithSettings(TProfileFile file, TDateTime manBirthDate, TDateTime womanBirthDate);

// The couples of the settings file at `path` as it is on disk now.
std::vector<TStoredCouple> ReadStoredCouples(const QString& path);

// Applies one change of the couples to the settings file as it is on disk now and writes it at
// once, as the close does, every other line byte for byte: so another running program's couples
// stay. Nothing when the file was not written; the error box has said why.
std::optional<TCoupleChange> ChangeStoredCouples(
    const QString& path,
    const std::function<TCoupleChange(TProfileFile&, const TCoupleReading&)>& change);
