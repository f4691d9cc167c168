#include "widgets/SaveFile.h"
#include "platform/WholeFile.h"
#include "tests/QtTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// Which file a save writes through links: its own user's links (or root's) to a regular file are
// followed by every save, another user's only by the saves the user asked for; a link to nothing
// or to no regular file is refused and nothing is created.
TEST(SaveWholeFile, FollowsLinksOnlyToRegularFilesAndTheSettingsOnlyThroughOwnLinks) {
    QTemporaryDir dir;
    const QDir folder(QFileInfo(dir.path()).canonicalFilePath()); // as links resolve
    const auto path = [&folder](const char* name) { return folder.filePath(QLatin1String(name)); };
    const auto link = [&path](const char* name, const char* target, bool foreign = false) {
        ASSERT_EQ(::symlink(target, QFile::encodeName(path(name)).constData()), 0) << name;
        if (foreign) {
            ASSERT_EQ(::lchown(QFile::encodeName(path(name)).constData(), 65534, 65534), 0);
        }
    };
    WriteFile(path("plain.txt"), "old");
    ASSERT_TRUE(QDir().mkdir(path("folder")));
    link("own", "plain.txt");
    link("chain", "own");
    link("dangling", "missing.txt");
    link("toFolder", "folder");
    // Only root may give a link away; elsewhere the foreign rows are left out.
    const bool root = ::geteuid() == 0;
    if (root) {
        link("foreign", path("plain.txt").toUtf8().constData(), true);
        link("viaForeign", "foreign");
    }
    struct Row {
        const char* name;
        const char* anyOwner; // the file written, or nullptr when refused
        const char* ownLinksOnly;
        bool needsRoot;
    };
    for (const Row& row :
         {Row{"plain.txt", "plain.txt", "plain.txt", false},
          Row{"new.txt", "new.txt", "new.txt", false}, Row{"own", "plain.txt", "plain.txt", false},
          Row{"chain", "plain.txt", "plain.txt", false}, Row{"dangling", nullptr, nullptr, false},
          Row{"toFolder", nullptr, nullptr, false}, Row{"foreign", "plain.txt", nullptr, true},
          Row{"viaForeign", "plain.txt", nullptr, true}}) {
        if (row.needsRoot && !root)
            continue;
        for (const bool ownLinksOnly : {false, true}) {
            const char* expected = ownLinksOnly ? row.ownLinksOnly : row.anyOwner;
            const auto target = SaveTarget(path(row.name), ownLinksOnly);
            EXPECT_EQ(target, expected ? std::optional(path(expected)) : std::nullopt)
                << row.name << (ownLinksOnly ? " (own links only)" : "");
        }
    }

    // Written through the link, replaced beside its target: the link stays a link.
    EXPECT_TRUE(SaveWholeFile(path("chain"), "new"));
    EXPECT_EQ(Contents(path("plain.txt")), "new");
    EXPECT_TRUE(QFileInfo(path("chain")).isSymLink());
    // A dangling link creates nothing.
    EXPECT_EQ(
        SaveWholeFile(path("dangling"), "x").Reason(),
        QStringLiteral("Ссылка не ведёт к обычному файлу или принадлежит другому пользователю"));
    EXPECT_FALSE(QFileInfo::exists(path("missing.txt")));
}
