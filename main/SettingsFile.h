#pragma once

#include "base/ProfileFile.h"
#include "base/SettingsEntries.h"
#include "model/DateTime.h"
#include "widgets/ReadFile.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

// Whether the program may create files in a folder. Replaceable, so that tests can stand in for
// a read-only installation (root may write anywhere).
extern std::function<bool(const QString& folder)> FolderWritable;

// The regional short date format, e.g. "dd.MM.yyyy"; replaceable for tests.
extern std::function<QString()> RegionalShortDateFormat;

// The settings file: beside the program, named after it ("orvanta" uses "orvanta.ini"), unless
// that folder holds no settings file and is not writable or belongs to an installation (a
// "../share/orvanta" folder beside it); then in the per-user configuration folder. So is it when
// the file beside the program is a FIFO, device or socket, the program file itself (a program
// file named "orvanta.ini"), or a link that may not be written through (SaveTarget with only the
// user's own links).
QString SettingsFilePath();

// Settings and language files larger than this are refused unread: no user writes one, and
// reading it would cost seconds and hundreds of megabytes.
inline constexpr qint64 MaxProfileFileSize = 16 * 1024 * 1024;

// A settings or language file as read.
using TProfileRead = TFileRead;

// Reads a settings or language file. Only a regular file, or a link to one, is ever opened:
// opening a FIFO would block, and a device may never end.
TProfileRead ReadProfileFile(const QString& path);

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
    QString Language;
};

// Reads the fourteen entries in their order into DisplaySettings (each entry that cannot be read
// leaves its field as it is) and returns the dates that read and the language to load. Runs no
// refresh: the settings are not connected yet while it runs.
TStoredSettings ApplySettingsFile(const TProfileFile& file);

// The file with the fourteen entries written from the two birth dates and DisplaySettings, every
// other line kept as it was.
TProfileFile WithSettings(TProfileFile file, TDateTime manBirthDate, TDateTime womanBirthDate);
