#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

// Saving to a file the user chose: the question before an existing file is replaced, and the
// write that replaces it only once every byte is written.

// Asks, in the language in use, whether the existing file may be replaced, "Нет" being the
// default answer. True when the user says "Да", and at once when there is no regular file by
// that name to lose.
bool ConfirmReplace(QWidget* parent, const QString& fileName);

// Writes the bytes beside the file and renames them over it only once all of them were taken,
// so a failure leaves an existing file as it was. Only a regular file is ever replaced: a
// folder, pipe or device by that name is refused. Throws EProgramError with CannotCreateMessage
// when the file cannot be written.
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);

// Throws EProgramError with CannotCreateMessage.
[[noreturn]] void ThrowCannotCreate(const QString& fileName, const QString& reason);
