#include "widgets/SaveFile.h"
#include "platform/WholeFile.h"
#include "tests/QtTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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
