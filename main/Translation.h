#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <string_view>

// The language in use beyond the main window's own components: its locale, which picks Qt's own
// translations and the form of dates and numbers. Russian until a language file names another.

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
