#pragma once

#include "main/TextTable.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string_view>

// The language in use beyond the main window's own components: the texts of the text table, and
// its locale, which picks Qt's own translations and the form of dates and numbers. Russian until
// a language file names another.

// A row of the text table in the language in use.
QString Tr(TTextKey key);
// The same with its "%s" filled by the arguments in order. A translation whose placeholders do
// not fit the arguments is not used: the built-in text stands in.
QString TrFormat(TTextKey key, const QStringList& args);

// Installs a language file's texts and locale, or the built-in Russian ones for none, and tells
// every window that asked (AddLanguageObserver).
void InstallLanguage(const TProfileFile* file);

// Runs `observer` after every installation of a language, until removed by the id it returns.
int AddLanguageObserver(std::function<void()> observer);
void RemoveLanguageObserver(int id);

// A system reason why a file could not be written (Qt's or the C library's text for an error
// number) in the language in use; any other text as it is.
QString SystemReason(const QString& reason);
// "Не могу создать файл "<full native path>". <reason>", with nothing after the full stop when
// there is no reason.
QString CannotCreateMessage(const QString& fileName, const QString& reason);

// The locale a language file's "Locale" entry names ("de", "en_GB", "ru-RU"); nothing when the
// entry is empty or names no locale Qt knows.
std::optional<QLocale> ParseLocale(std::string_view name);

// Makes a locale the language's, or Russian for none, and loads Qt's own translations for it
// (Debian's qt6-translations-l10n); Qt keeps its English texts where it has no translation.
void InstallLocale(const std::optional<QLocale>& locale);

// The language's locale: Russian unless a language file named one.
QLocale TextLocale();
// Whether a language file named the locale: then dates and numbers take its forms; otherwise
// they keep the built-in Russian ones, with the month names of the name table.
bool HasOwnLocale();
