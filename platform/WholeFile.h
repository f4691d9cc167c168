#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Whole files the program reads (settings, language, help document) and writes (the settings,
// the saved documents, pictures and calendars).

// A file the program reads whole (settings, language, help document), as read.
struct TFileRead {
    enum Status {
        Absent,     // missing, a folder, or no regular file (a FIFO, device or socket)
        Read,       // bytes holds the file
        TooLarge,   // larger than the limit: not read
        Unreadable, // a regular file that could not be opened or read
    } status = Absent;
    QByteArray bytes;
};

// Reads a file of at most `limit` bytes. Only a regular file, or a link to one, is ever opened:
// opening a FIFO would block, and a device may never end.
TFileRead ReadRegularFile(const QString& path, qint64 limit);

// Whether a file was written, and if not, the system's reason why not (which may be empty).
class TSaved {
public:
    static TSaved Done() { return TSaved(); }
    static TSaved Failed(QString reason) { return TSaved(std::move(reason)); }

    explicit operator bool() const { return !reason_; }
    const QString& Reason() const { return *reason_; }

private:
    TSaved() = default;
    explicit TSaved(QString reason) : reason_(std::move(reason)) {}
    std::optional<QString> reason_;
};

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
// creating what a dangling link names.
TSaved SaveWholeFile(const QString& fileName, const QByteArray& bytes, TSaveOptions options = {});

// SaveWholeFile, throwing EProgramError with CannotCreateMessage when the file cannot be written.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);

// Throws EProgramError with CannotCreateMessage.
[[noreturn]] void ThrowCannotCreate(const QString& fileName, const QString& reason);
