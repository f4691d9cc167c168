#pragma once

#include "platform/WholeFile.h"

#include <QString>

#include <functional>

// Where the settings file is, and how settings and language files are read.

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
