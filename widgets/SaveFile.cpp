#include "widgets/SaveFile.h"

#include "model/Error.h"
#include "widgets/ErrorBox.h"
#include "widgets/Translation.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

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

void WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    // QSaveFile would rename its file over a pipe or a device node (root may do that in /dev).
    if (const QFileInfo target(fileName); target.exists() && !target.isFile())
        ThrowCannotCreate(fileName, Tr({"Messages", "Reason.NotAFile"}));
    // Unbuffered, so that a full disk shows in the write's count before commit() could put a
    // cut file in place of the old one.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes) == bytes.size() && file.commit())
        return;
    ThrowCannotCreate(fileName, file.errorString());
}

void ThrowCannotCreate(const QString& fileName, const QString& reason) {
    throw EProgramError(CannotCreateMessage(fileName, reason).toStdString());
}
