#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

// Saving to a file the user chose: the dialog, and the question before an existing file is
// replaced. The write itself is SaveWholeFile's (platform/WholeFile.h).

// Asks, in the language in use, whether the existing file may be replaced, "Нет" being the
// default answer. True when the user says "Да", and at once when there is no regular file by
// that name to lose.
bool ConfirmReplace(QWidget* parent, const QString& fileName);

// Asks a question that changes something for good, in the language in use, "Нет" being the
// default answer; the box is named `name`. True when the user says "Да".
bool AskYesNo(QWidget* parent, const char* name, const QString& question);

// Makes `dialog` the program's save dialog (named "SaveDialog"), proposing `proposedName` under
// `filters`: Qt's own dialog, never the desktop's, its columns' sizes, types and dates in the
// program's language and wide enough for what they show. It asks nothing about an existing file:
// ConfirmReplace does, once the name is complete and in the program's language.
void PrepareSaveDialog(QFileDialog& dialog, const QStringList& filters,
                       const QString& proposedName);
