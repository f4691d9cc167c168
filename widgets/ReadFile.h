#pragma once

#include <QByteArray>
#include <QString>

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
