#include "platform/WholeFile.h"

#include "model/Error.h"
#include "platform/Translation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

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

std::optional<QString> SaveTarget(const QString& fileName, bool onlyOwnLinks) {
    QByteArray path = QFile::encodeName(fileName);
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return fileName;
    if (onlyOwnLinks) {
        const uid_t user = ::geteuid();
        for (int hops = 0; S_ISLNK(info.st_mode); ++hops) {
            // 40 is the kernel's own limit of links on one path.
            if (hops == 40 || (info.st_uid != user && info.st_uid != 0))
                return std::nullopt;
            char target[PATH_MAX];
            const ssize_t size = ::readlink(path.constData(), target, sizeof target);
            if (size <= 0 || size == sizeof target)
                return std::nullopt;
            const QByteArray next(target, size);
            path = next.startsWith('/') ? next : path.left(path.lastIndexOf('/') + 1) + next;
            if (::lstat(path.constData(), &info) != 0)
                return std::nullopt;
        }
    }
    char* real = ::realpath(QFile::encodeName(fileName).constData(), nullptr);
    if (!real)
        return std::nullopt;
    const QString target = QFile::decodeName(real);
    std::free(real);
    if (::stat(QFile::encodeName(target).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return target;
}

TSaved SaveWholeFile(const QString& fileName, const QByteArray& bytes, TSaveOptions options) {
    // Resolved here, not by QSaveFile, which would create what a dangling link names and rename
    // its new file beside the link's target through a link that may change meanwhile.
    const auto target = SaveTarget(fileName, options.onlyOwnLinks);
    if (!target)
        return TSaved::Failed(Tr({"Messages", "Reason.Link"}));
    if (options.createFolder)
        QDir().mkpath(QFileInfo(*target).absolutePath());
    // QSaveFile would rename a new file over a FIFO or device: as root, over /dev/null itself.
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(*target).constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        return TSaved::Failed(Tr({"Messages", "Reason.NotAFile"}));
    QSaveFile file(*target);
    file.setDirectWriteFallback(options.inPlaceWhenFolderRefuses);
    // Unbuffered, so that a full disk shows in the write's count: a buffered write reports every
    // byte taken, and commit() then puts a cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return TSaved::Failed(file.errorString());
    // QSaveFile gives the new file the permissions Qt reports for this user, which for root
    // include writing: the old file's own bits are kept instead, and its owner where we may.
    if (existed) {
        if (::fchown(file.handle(), old.st_uid, old.st_gid) != 0) {
            // not ours to give away: the new file is ours
        }
        if (::fchmod(file.handle(), old.st_mode & 07777) != 0) {
            // the folder's default stays
        }
    }
    if (file.write(bytes) == bytes.size() && file.commit())
        return TSaved::Done();
    return TSaved::Failed(file.errorString());
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    if (const TSaved saved = SaveWholeFile(fileName, bytes); !saved)
        ThrowCannotCreate(fileName, saved.Reason());
}

void ThrowCannotCreate(const QString& fileName, const QString& reason) {
    throw EProgramError(CannotCreateMessage(fileName, reason).toStdString());
}
