#pragma once

#include "base/ProfileFile.h"
#include "base/SettingsEntries.h"
#include "platform/WholeFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Text of a language file or of the "Language" value: UTF-8 when the bytes are valid UTF-8 (a
// byte-order mark is skipped), otherwise code page 1251, the encoding older language files
// were written in.
QString DecodeLanguageText(const QByteArray& bytes);

// The language the settings file names, read as a language file's text is; none without the entry.
std::optional<QString> StoredLanguage(const TSettingsValues& settings);

// The system's user-interface languages, the most wanted first (QLocale::system().uiLanguages());
// tests set their own.
extern std::function<QStringList()> SystemUiLanguages;

// The value of "--language NAME" or "--language=NAME" among a program's arguments.
std::optional<QString> LanguageAsked(const QStringList& arguments);

// The language "--language system" stands for: of the languages in `folder`, the first that
// matches an entry of `uiLanguages`, in their order, language and country first, then language
// alone. Empty, the built-in Russian, for Russian or when none matches.
QString SystemLanguage(const QString& folder, const QStringList& uiLanguages);

// The language to start in, a name for ReadLanguageNamed (empty: the built-in Russian): `asked`
// (--language) over the settings file's `stored` entry, "system" only where the file has none,
// "Русский" the built-in one. Nothing when `asked` names no language of `folder`.
std::optional<QString> StartLanguage(const std::optional<QString>& stored,
                                     const std::optional<QString>& asked, const QString& folder,
                                     const QStringList& uiLanguages);

// A language file's bytes as a profile file with UTF-8 values, without control characters.
TProfileFile LanguageProfile(const QByteArray& bytes);

// A language file as read.
struct TLanguageRead {
    QString Path; // empty when there is no such regular file
    TFileRead::Status Status = TFileRead::Absent;
    std::optional<TProfileFile> File; // with UTF-8 values, when read
};

// The language file at `path`, of at most MaxProfileFileSize bytes; Absent for an empty path.
TLanguageRead ReadLanguageAt(const QString& path);
// The language `name` of the language folder (FindLanguageFile).
TLanguageRead ReadLanguageNamed(const QString& name);

// Installs a language for every layer under the windows, or the built-in Russian one for none:
// the month, zodiac sign and element names, the texts, the locale and the counts.
void InstallLanguageEverywhere(const TProfileFile* file);

// The language folder: "Language/" beside the program (portable use) when it exists, otherwise
// the installed "../share/orvanta/Language/"; with a trailing slash.
QString LanguageFolder();

// The file of a language: "<name>.lng.ini" in the folder, its name matched without regard to
// letter case. Empty when there is no such regular file (a folder, FIFO or device of that name
// does not count).
QString FindLanguageFile(const QString& folder, const QString& name);
// The regular file of that name in the folder, matched without regard to letter case, as
// language files and their help documents are; empty when there is none.
QString FindFileIgnoringCase(const QString& folder, const QString& fileName);

// The language names the folder offers: its regular files and folders whose names end in
// ".lng.ini" in any letter case, that ending removed, sorted by name without regard to case.
QStringList LanguageNames(const QString& folder);
