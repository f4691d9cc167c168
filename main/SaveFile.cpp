#include "main/SaveFile.h"

#include "main/ErrorBox.h"
#include "model/Error.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>

QString ReplaceQuestionText = QStringLiteral("Файл «%1» уже существует. Заменить его?");
QString YesButtonText = QStringLiteral("Да");
QString NoButtonText = QStringLiteral("Нет");

bool ConfirmReplace(QWidget* parent, const QString& fileName) {
    const QFileInfo file(fileName);
    if (!file.isFile())
        return true; // nothing there, or nothing a save could replace (WriteWholeFile refuses)
    QMessageBox box(QMessageBox::Question, ApplicationTitle,
                    ReplaceQuestionText.arg(file.fileName()), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setObjectName(QStringLiteral("ReplaceQuestion"));
    // Qt's own captions would be English.
    box.button(QMessageBox::Yes)->setText(YesButtonText);
    box.button(QMessageBox::No)->setText(NoButtonText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes) {
    // QSaveFile would rename its file over a pipe or a device node (root may do that in /dev).
    if (const QFileInfo target(fileName); target.exists() && !target.isFile())
        ThrowCannotCreate(fileName, QStringLiteral("Это не обычный файл"));
    // Unbuffered, so that a full disk shows in the write's count before commit() could put a
    // cut file in place of the old one.
    QSaveFile file(fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(bytes) == bytes.size() && file.commit())
        return;
    ThrowCannotCreate(fileName, file.errorString());
}

void ThrowCannotCreate(const QString& fileName, const QString& reason) {
    const QString fullName = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    throw EProgramError(QStringLiteral("Не могу создать файл \"%1\". %2")
                            .arg(fullName, reason)
                            .trimmed()
                            .toStdString());
}
