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
// followed by every save, another user's only by saves the user asked for; a link to nothing or
// to no regular file is refused, and nothing is created.
TEST(SaveWholeFile, FollowsLinksOnlyToRegularFilesAndTheSettingsOnlyThroughOwnLinks) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a link to another user";
    QTemporaryDir dir;
    const QDir folder(QFileInfo(dir.path()).canonicalFilePath()); // as links resolve
    const auto path = [&folder](const char* name) { return folder.filePath(QLatin1String(name)); };
    WriteFile(path("plain.txt"), "old");
    ASSERT_TRUE(folder.mkdir(QStringLiteral("folder")));
    // The link, what it points to, its owner, and what a save and the settings write through it.
    const std::tuple<const char*, const char*, uid_t, const char*, const char*> rows[] = {
        {"own", "plain.txt", 0, "plain.txt", "plain.txt"},
        {"chain", "own", 0, "plain.txt", "plain.txt"},
        {"dangling", "missing.txt", 0, nullptr, nullptr},
        {"toFolder", "folder", 0, nullptr, nullptr},
        {"foreign", "plain.txt", 65534, "plain.txt", nullptr},
        {"viaForeign", "foreign", 0, "plain.txt", nullptr}};
    for (const auto& [name, target, owner, saved, settings] : rows) {
        ASSERT_EQ(::symlink(target, QFile::encodeName(path(name)).constData()), 0);
        ASSERT_EQ(::lchown(QFile::encodeName(path(name)).constData(), owner, owner), 0);
        const auto file = [&](const char* found) {
            return found ? std::optional(path(found)) : std::nullopt;
        };
        EXPECT_EQ(SaveTarget(path(name), false), file(saved)) << name;
        EXPECT_EQ(SaveTarget(path(name), true), file(settings)) << name;
    }
    EXPECT_TRUE(SaveWholeFile(path("chain"), "new"));
    EXPECT_EQ(Contents(path("plain.txt")), "new");
    EXPECT_TRUE(QFileInfo(path("chain")).isSymLink());
    EXPECT_FALSE(SaveWholeFile(path("dangling"), "x"));
    EXPECT_FALSE(QFileInfo::exists(path("missing.txt")));
}
