#include "widgets/SaveFile.h"

#include "platform/Translation.h"
#include "widgets/ErrorBox.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>

namespace {

// The columns of Qt's file system model.
enum TColumn { NameColumn, SizeColumn, TypeColumn, DateColumn, ColumnCount };

// Qt's file model writes sizes and dates in the system's locale, which QLocale::setDefault does
// not reach ("7 Dec 2026 16:27:49" under C.UTF-8 in a Russian program), and calls a folder
// "Folder" where its translation has no word for it. This shows them in the program's language.
class TFileColumnsInLanguage final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid())
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case SizeColumn:
            if (!files->isDir(source))
                return TextLocale().formattedDataSize(files->size(source));
            break;
        case TypeColumn:
            if (files->isDir(source)) {
                const QString type = QIdentityProxyModel::data(index, role).toString();
                if (type == QLatin1String("Folder")) // untranslated
                    return FolderWord(type);
                return type;
            }
            break;
        case DateColumn:
            return TextLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            break;
        }
        return QIdentityProxyModel::data(index, role);
    }

private:
    // The desktop's own word in the language in use (shared-mime-info: "Папка", "Ordner"),
    // capitalised as Qt's; Qt's English word when the desktop has none.
    static QString FolderWord(const QString& english) {
        const QString word =
            QMimeDatabase().mimeTypeForName(QStringLiteral("inode/directory")).comment();
        if (word.isEmpty())
            return english;
        return TextLocale().toUpper(word.left(1)) + word.mid(1);
    }
};

// Widens the columns of the detail view that their contents or captions would not fit, once the
// folder's entries are known; never narrows what the user widened.
void FitColumns(QTreeView* view) {
    QHeaderView* header = view->header();
    const QAbstractItemView* items = view; // QTreeView hides the public sizeHintForColumn
    for (int column = SizeColumn; column < ColumnCount; ++column) {
        const int needed =
            std::max(header->sectionSizeHint(column), items->sizeHintForColumn(column));
        if (header->sectionSize(column) < needed)
            header->resizeSection(column, needed);
    }
}

void ShowFileColumnsInLanguage(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    // A new model resets the header to Qt's default sizes; the name keeps the width Qt gave it.
    const int nameWidth = view->header()->sectionSize(NameColumn);
    dialog.setProxyModel(new TFileColumnsInLanguage(&dialog));
    view->header()->resizeSection(NameColumn, nameWidth);
    QAbstractItemModel* model = view->model();
    auto* fit = new QTimer(view);
    fit->setSingleShot(true);
    QObject::connect(fit, &QTimer::timeout, view, [view] { FitColumns(view); });
    const auto later = [fit] { fit->start(0); };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, fit, later);
    QObject::connect(model, &QAbstractItemModel::dataChanged, fit, later);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, fit, later);
    QObject::connect(model, &QAbstractItemModel::modelReset, fit, later);
    later();
}

} // namespace

void PrepareSaveDialog(QFileDialog& dialog, const QStringList& filters,
                       const QString& proposedName) {
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    // Qt's own dialog on every desktop: it behaves alike everywhere and speaks the program's
    // language, its columns too.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    ShowFileColumnsInLanguage(dialog);
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
