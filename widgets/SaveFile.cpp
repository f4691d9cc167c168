#include "widgets/SaveFile.h"

#include "model/Error.h"
#include "widgets/ErrorBox.h"
#include "widgets/Translation.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

void PrepareSaveDialog(QFileDialog& dialog, const QStringList& filters,
                       const QString& proposedName) {
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
}

bool ConfirmReplace(QWidget* parent, const QString& fileName) {
    const QFileInfo file(fileName);
    if (!file.isFile())
        return true; // nothing there, or nothing a save could replace (WriteWholeFile refuses)
    QMessageBox box(QMessageBox::Question, ApplicationTitle,
                    TrFormat({"Dialogs", "Replace.Question"}, {file.fileName()}),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("ReplaceQuestion"));
    box.setTextFormat(Qt::PlainText);
    // Qt's own captions follow Qt's translations, which may not have the language.
    box.button(QMessageBox::Yes)->setText(Tr({"Dialogs", "Replace.Yes"}));
    box.button(QMessageBox::No)->setText(Tr({"Dialogs", "Replace.No"}));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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

std::optional<QString> SaveWholeFile(const QString& fileName, const QByteArray& bytes,
                                     TSaveOptions options) {
    // Resolved here, not by QSaveFile, which would create what a dangling link names and rename
    // its new file beside the link's target through a link that may change meanwhile.
    const auto target = SaveTarget(fileName, options.onlyOwnLinks);
    if (!target)
        return Tr({"Messages", "Reason.Link"});
    if (options.createFolder)
        QDir().mkpath(QFileInfo(*target).absolutePath());
    // QSaveFile would rename a new file over a FIFO or device: as root, over /dev/null itself.
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(*target).constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        return Tr({"Messages", "Reason.NotAFile"});
    QSaveFile file(*target);
    file.setDirectWriteFallback(options.inPlaceWhenFolderRefuses);
    // Unbuffered, so that a full disk shows in the write's count: a buffered write reports every
    // byte taken, and commit() then puts a cut file in place of the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
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
        return std::nullopt;
    return file.errorString();
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    if (const auto reason = SaveWholeFile(fileName, bytes))
        ThrowCannotCreate(fileName, *reason);
}

void ThrowCannotCreate(const QString& fileName, const QString& reason) {
    throw EProgramError(CannotCreateMessage(fileName, reason).toStdString());
}
