#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

// Saving to a file the user chose: the question before an existing file is replaced, and the
// write that replaces it only once every byte is written.

// Asks, in the language in use, whether the existing file may be replaced, "Нет" being the
// default answer. True when the user says "Да", and at once when there is no regular file by
// that name to lose.
bool ConfirmReplace(QWidget* parent, const QString& fileName);

// Makes `dialog` the program's save dialog (named "SaveDialog"), proposing `proposedName` under
// `filters`. It asks nothing about an existing file: ConfirmReplace does, once the name is
// complete and in the program's language.
void PrepareSaveDialog(QFileDialog& dialog, const QStringList& filters,
                       const QString& proposedName);

// How SaveWholeFile treats what lies around the file.
struct TSaveOptions {
    bool createFolder = false; // makes the folders on the way that are missing (settings only)
    // Writes over the file itself when its folder refuses a new file beside it but the file may
    // be written: a settings file the user made writable in a read-only folder.
    bool inPlaceWhenFolderRefuses = false;
    // Follows a link only where every link on the way belongs to this user or to root: a file
    // the program writes unasked (the settings) must not be aimed elsewhere by another user.
    bool onlyOwnLinks = false;
};

// The file a save to `fileName` writes: the name itself when it is no link, else the regular
// file its links lead to. Nothing for a link that leads to no file or to no regular file, or,
// with `onlyOwnLinks`, through a link that belongs to another user than this one or root.
std::optional<QString> SaveTarget(const QString& fileName, bool onlyOwnLinks);

// Writes the bytes beside the file and renames them over it only once all of them were taken,
// so a failure leaves an existing file as it was; the new file keeps the old one's permission
// bits (and owner, where that may be set). Only a regular file is ever replaced: a folder, pipe
// or device by that name is refused, and a link is followed only as SaveTarget says, never
// creating what a dangling link names. Nothing when the file was written, else the system's
// reason why not (which may be empty).
std::optional<QString> SaveWholeFile(const QString& fileName, const QByteArray& bytes,
                                     TSaveOptions options = {});

// SaveWholeFile, throwing EProgramError with CannotCreateMessage when the file cannot be written.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);

// Throws EProgramError with CannotCreateMessage.
[[noreturn]] void ThrowCannotCreate(const QString& fileName, const QString& reason);
