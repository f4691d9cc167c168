#include "main/CalendarExport.h"

#include "model/DisplaySettings.h"
#include "model/Error.h"
#include "model/Shared.h"
#include "platform/Translation.h"
#include "platform/WholeFile.h"
#include "report/Calendar.h"
#include "report/CoupleReport.h"
#include "widgets/SaveFile.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>

namespace {

// The months the user chose last, for the next export of this run.
int LastMonthsAfter = DefaultMonthsAfter;

} // namespace

void ExportCalendar(const QString& path, int monthsAfter, int displayMode,
                    const std::string& coupleName) {
    TCouple couple = CoupleOf(Prognose);
    couple.Name = coupleName;
    WriteWholeFile(path, QByteArray::fromStdString(
                             CalendarFile(couple, Prognose.PrognoseDate, monthsAfter, displayMode,
                                          DisplaySettings.Cycles(), NowInWholeSeconds())));
}

QDialog* NewCalendarMonthsDialog(QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("dlgExportCalendar"));
    dialog->setWindowTitle(Tr({"CalendarExport", "Caption"}));
    auto* layout = new QVBoxLayout(dialog);
    auto* explanation = new QLabel(Tr({"CalendarExport", "Explanation"}), dialog);
    explanation->setTextFormat(Qt::PlainText);
    explanation->setWordWrap(true);
    explanation->setMinimumWidth(360);
    layout->addWidget(explanation);

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(Tr({"CalendarExport", "Months"}), dialog);
    label->setTextFormat(Qt::PlainText);
    auto* months = new QSpinBox(dialog);
    months->setObjectName(QStringLiteral("seMonthsAfter"));
    months->setRange(0, MaxMonthsAfter);
    months->setValue(LastMonthsAfter);
    label->setBuddy(months);
    row->addWidget(label);
    row->addWidget(months);
    row->addStretch();
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(Tr({"CalendarExport", "Save"}), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    buttons->addButton(Tr({"CalendarExport", "Cancel"}), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return dialog;
}

void RunCalendarExport(QWidget* parent, const std::string& coupleName) {
    if (ShownPersons(DisplaySettings.DisplayMode()).empty()) {
        QMessageBox box(QMessageBox::Information, Tr({"CalendarExport", "Caption"}),
                        Tr({"CalendarExport", "Nobody"}), QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    const std::unique_ptr<QDialog> dialog(NewCalendarMonthsDialog(parent));
    if (dialog->exec() != QDialog::Accepted)
        return;
    LastMonthsAfter = dialog->findChild<QSpinBox*>(QStringLiteral("seMonthsAfter"))->value();

    // The program's save dialog, as every save has; the suffix is added before the program asks
    // whether to replace an existing file.
    QFileDialog files(parent, Tr({"CalendarExport", "Caption"}));
    PrepareSaveDialog(
        files, {Tr({"CalendarExport", "Filter"}) + QStringLiteral(" (*.ics)")},
        QDir::home().filePath(Tr({"CalendarExport", "FileName"}) + QStringLiteral(".ics")));
    files.setDefaultSuffix(QStringLiteral("ics"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return;
    const QString path = files.selectedFiles().constFirst();
    if (ConfirmReplace(parent, path))
        ExportCalendar(path, LastMonthsAfter, DisplaySettings.DisplayMode(), coupleName);
}
