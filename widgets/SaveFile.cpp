#include "widgets/SaveFile.h"

#include "platform/Translation.h"
#include "widgets/ErrorBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

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
    return AskYesNo(parent, "ReplaceQuestion",
                    TrFormat({"Dialogs", "Replace.Question"}, {file.fileName()}));
}

bool AskYesNo(QWidget* parent, const char* name, const QString& question) {
    QMessageBox box(QMessageBox::Question, ApplicationTitle, question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QLatin1String(name));
    box.setTextFormat(Qt::PlainText);
    // Qt's own captions follow Qt's translations, which may not have the language.
    box.button(QMessageBox::Yes)->setText(Tr({"Dialogs", "Replace.Yes"}));
    box.button(QMessageBox::No)->setText(Tr({"Dialogs", "Replace.No"}));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
