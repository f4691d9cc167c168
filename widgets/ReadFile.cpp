#include "widgets/ReadFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

TFileRead ReadRegularFile(const QString& path, qint64 limit) {
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    if (info.st_size > limit)
        return {TFileRead::TooLarge, {}};
    // Not blocking, and checked again once open: a FIFO put in its place meanwhile would block.
    const int handle = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (handle < 0)
        return {TFileRead::Unreadable, {}};
    TFileRead read{TFileRead::Read, {}};
    if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
        read.status = TFileRead::Absent;
    } else {
        // Never more than the limit and one byte, however the file grows while it is read.
        read.bytes.reserve(std::min<qint64>(info.st_size, limit) + 1);
        char chunk[65536];
        for (;;) {
            const ssize_t got = ::read(handle, chunk, sizeof chunk);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                read.status = TFileRead::Unreadable;
                break;
            }
            if (got == 0)
                break;
            read.bytes.append(chunk, got);
            if (read.bytes.size() > limit) {
                read.status = TFileRead::TooLarge;
                break;
            }
        }
    }
    ::close(handle);
    if (read.status != TFileRead::Read)
        read.bytes.clear();
    return read;
}
