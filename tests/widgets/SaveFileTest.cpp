#include "widgets/SaveFile.h"
#include "platform/Translation.h"
#include "platform/WholeFile.h"
#include "tests/QtTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

// What each save of the program gets by default (the viewer's RTF, the charts' pictures) and what
// the settings file and calendar ask for besides: the replaced file's bits stay, a missing folder
// is made only on request, and the failure comes back as a reason.
TEST(SaveWholeFile, KeepsTheModeMakesFoldersOnlyWhenAskedAndReportsWhy) {
    QTemporaryDir dir;
    const QString old = dir.filePath(QStringLiteral("old.rtf"));
    WriteFile(old, "old");
    // Read-only for everybody: Qt's own copy of the permissions would add writing for root.
    ASSERT_EQ(::chmod(QFile::encodeName(old).constData(), 0444), 0);
    EXPECT_TRUE(SaveWholeFile(old, "new"));
    EXPECT_EQ(Contents(old), "new");
    EXPECT_EQ(ModeOf(old), 0444u);

    const QString nested = dir.filePath(QStringLiteral("a/b/new.ics"));
    const TSaved refused = SaveWholeFile(nested, "x");
    ASSERT_FALSE(refused);
    EXPECT_FALSE(refused.Reason().isEmpty()) << "the system's reason";
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("a"))));
    EXPECT_TRUE(SaveWholeFile(nested, "x", {.createFolder = true}));
    EXPECT_EQ(Contents(nested), "x");

    // A folder is refused with the same reason as a pipe or device, whatever the options.
    const QString folder = dir.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkdir(folder));
    for (const TSaveOptions options : {TSaveOptions{}, TSaveOptions{true, true}})
        EXPECT_EQ(SaveWholeFile(folder, "x", options).Reason(),
                  QStringLiteral("Это не обычный файл"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// Qt's file dialog writes sizes and dates in the system's locale, which the program's language
// does not reach ("7 Dec 2026 16:27:49" under C.UTF-8, cut in its column), and leaves the word
// for a folder in English where Qt's translation has none (Russian). The program's save dialog,
// Qt's own on every desktop, shows them in the language in use, each column as wide as what it
// shows.
TEST(SaveDialog, ItsColumnsSpeakTheLanguageInUseAndShowAllTheySay) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Документы")));
    const QString file = folder.filePath(QStringLiteral("Справка.rtf"));
    WriteFile(file, QByteArray(2048, 'x'));
    // 7 December 2026, 16:27:49 local time, for both.
    const QDateTime when(QDate(2026, 12, 7), QTime(16, 27, 49));
    const timespec stamp{static_cast<time_t>(when.toSecsSinceEpoch()), 0};
    const timespec times[2] = {stamp, stamp};
    for (const QString& path : {file, folder.filePath(QStringLiteral("Документы"))})
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);

    const struct {
        const char* locale; // none: the built-in Russian
        const char* folderType;
        const char* date;
        const char* size;
    } rows[] = {
        {nullptr, "Папка", "07.12.2026 16:27", "2,00 KiB"},
        {"de_DE", "Verzeichnis", "07.12.26 16:27", "2,00 KiB"},
        {"en_GB", "Folder", "07/12/2026 16:27", "2.00 KiB"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.folderType);
        InstallLocale(row.locale ? ParseLocale(row.locale) : std::nullopt);
        QFileDialog dialog(nullptr, QStringLiteral("Сохранить как"));
        PrepareSaveDialog(dialog, {QStringLiteral("Текст в формате RTF (*.rtf)")},
                          QStringLiteral("Справка"));
        EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
        dialog.setDirectory(folder.path());
        dialog.show();
        auto* view = Child<QTreeView>(&dialog, "treeView");
        ASSERT_NE(view, nullptr);
        const QAbstractItemModel* model = view->model();
        ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }));
        QStringList folderRow;
        QStringList fileRow;
        for (int i = 0; i < 2; ++i) {
            QStringList texts;
            for (int column = 0; column < 4; ++column)
                texts << model->index(i, column, view->rootIndex()).data().toString();
            (texts[0] == "Документы" ? folderRow : fileRow) = texts;
        }
        EXPECT_EQ(folderRow, QStringList({"Документы", "", row.folderType, row.date}));
        ASSERT_EQ(fileRow.size(), 4);
        EXPECT_EQ(fileRow[1], row.size);
        EXPECT_EQ(fileRow[3], row.date);

        // Every column but the name's as wide as its caption and its widest entry.
        QHeaderView* header = view->header();
        const QAbstractItemView* items = view;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            for (int column = 1; column < 4; ++column)
                if (header->sectionSize(column) <
                    std::max(header->sectionSizeHint(column), items->sizeHintForColumn(column)))
                    return false;
            return true;
        }));
        EXPECT_GE(header->sectionSize(0), 100);
    }
    InstallLocale(std::nullopt);
}
