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
    // Qt's own captions follow Qt's translations, which may not have the language.
    box.button(QMessageBox::Yes)->setText(Tr({"Dialogs", "Replace.Yes"}));
    box.button(QMessageBox::No)->setText(Tr({"Dialogs", "Replace.No"}));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> SaveWholeFile(const QString& fileName, const QByteArray& bytes,
                                     TSaveOptions options) {
    if (options.createFolder)
        QDir().mkpath(QFileInfo(fileName).absolutePath());
    // QSaveFile would rename a new file over a FIFO or device, or over what a link points to:
    // as root, over /dev/null itself.
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(fileName).constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode))
        return Tr({"Messages", "Reason.NotAFile"});
    QSaveFile file(fileName);
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
