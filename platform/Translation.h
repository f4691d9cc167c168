#pragma once

#include "base/TextTable.h"
#include "model/DateTime.h"

#include <QByteArray>
#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>

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

// The help document of the language in use: "<language>.help.rtf" beside its language file, or
// none (the built-in Russian help). Installing a language forgets it; the language loading sets
// it afterwards.
void SetHelpDocument(const QString& path);
// The document's RTF bytes; nothing when there is no help document for the language, or it is no
// regular file (a folder, a FIFO, a device), cannot be read, is empty or is larger than
// MaxHelpDocumentSize.
std::optional<QByteArray> LanguageHelpDocument();
// The shipped helps take a few kilobytes; a help this large still opens within seconds.
inline constexpr qint64 MaxHelpDocumentSize = 4 * 1024 * 1024;

// Runs `observer` after every installation of a language, until removed by the id it returns.
int AddLanguageObserver(std::function<void()> observer);
void RemoveLanguageObserver(int id);

// A system reason why a file could not be written (Qt's or the C library's text for an error
// number) in the language in use; any other text as it is.
QString SystemReason(const QString& reason);
// "Не могу создать файл "<full native path>". <reason>", with nothing after the full stop when
// there is no reason.
QString CannotCreateMessage(const QString& fileName, const QString& reason);
// "Не могу записать в <full native path>".
QString CannotWriteMessage(const QString& fileName);
// The full native path by which the messages name a file.
QString FullFileName(const QString& fileName);

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

// Counts, dates and numbers in the language in use. Built in, and with a language file that names
// no locale, they keep the Russian forms: "43 года", "7 декабря 2026 г." with the month names of
// the name table, "12,5".

// A count of years or days with the word in the form the count needs: the file's [Words] entry
// "Year.<category>" or "Day.<category>" for the count's plural category in the locale's language
// (Russian without a locale), else its "other" entry, else the built-in Russian text.
QString CountText(std::int32_t number, bool days);
// A long date without the weekday: "7 December 2026", "7. Dezember 2026"; empty for a value that
// is no date of the years 1 to 9999.
QString LongDate(TDateTime date);
// A found good or bad day: its long date, or "—" for none (0).
QString FoundDay(TDateTime day);
// The display format of the date pickers: the long date's.
QString DatePickerFormat();
// A whole number: "16055" without a locale, "16,055" or "16.055" in the locale's form.
QString IntegerText(std::int32_t number);
// A number of tenths with one decimal: "12,5" or "12.5".
QString DecimalText(std::int32_t tenths);
