#pragma once

#include "main/ProfileFile.h"
#include "model/DateTime.h"

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
// "../share/orvanta" folder beside it); then in the per-user configuration folder.
QString SettingsFilePath();

// A file's bytes; empty when it does not exist or cannot be read.
QByteArray ReadFileBytes(const QString& path);

// Replaces a file as a whole: the bytes go to a temporary file in the same folder, which is then
// renamed over the old one, so the file on disk is always the complete old or the complete new
// one. Creates the folder when missing. Returns false, leaving the old file, when it cannot.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

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

// The "Settings" section's name.
inline constexpr const char* SettingsSection = "Settings";
