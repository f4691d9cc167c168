#include "platform/SettingsPath.h"

#include "base/SettingsCodec.h"
#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool SameFile(const QString& a, const QString& b) {
    struct stat x {};
    struct stat y {};
    return ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

} // namespace

std::function<QString()> RegionalShortDateFormat = [] {
    return QLocale::system().dateFormat(QLocale::ShortFormat);
};

std::function<bool(const QString& folder)> FolderWritable = [](const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
};

QString SettingsFilePath() {
    const QString program = QCoreApplication::applicationFilePath();
    const QString name =
        QString::fromStdString(SettingsFileName(QFileInfo(program).fileName().toStdString()));
    const QString beside = ProgramFolder + name;
    // An installed program (its data in ../share/orvanta) never writes beside itself, even when
    // root could: the file would outlive the package in /usr/bin.
    const bool installed = QFileInfo(ProgramFolder + QStringLiteral("../share/orvanta")).isDir();
    // A folder in its place stays the settings file, which then cannot be written; a FIFO or
    // device is no file to keep settings in, nor is the program. A link counts only where it
    // may be written through (its own user's, to a regular file): another user's link in a
    // shared folder could aim the close's write at any file.
    const QFileInfo file(beside);
    if (file.isSymLink()) {
        if (SaveTarget(beside, true) && !SameFile(beside, program))
            return beside;
    } else if (file.isDir() || (file.isFile() && !SameFile(beside, program)) ||
               (!file.exists() && !installed && FolderWritable(ProgramFolder))) {
        return beside;
    }
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') +
           name;
}

TProfileRead ReadProfileFile(const QString& path) {
    return ReadRegularFile(path, MaxProfileFileSize);
}
