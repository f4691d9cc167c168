#include "main/Translation.h"

#include "main/TextFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct TLanguageState {
    QLocale locale{QLocale::Russian, QLocale::Russia};
    bool ownLocale = false;
    QPointer<QTranslator> qtTexts;
    std::map<int, std::function<void()>> observers;
    int lastObserver = 0;
};

TLanguageState& State() {
    static TLanguageState state;
    return state;
}

std::vector<std::string> Utf8(const QStringList& args) {
    std::vector<std::string> utf8;
    for (const QString& arg : args)
        utf8.push_back(arg.toStdString());
    return utf8;
}

// The errors a file can meet, with the C library's English text for each (Qt uses the same four
// of them untranslated).
struct TReason {
    int code;
    const char* english;
    TTextKey key;
};

const TReason Reasons[] = {
    {EACCES, "Permission denied", {"Messages", "Reason.PermissionDenied"}},
    {EPERM, "Operation not permitted", {"Messages", "Reason.NotPermitted"}},
    {ENOENT, "No such file or directory", {"Messages", "Reason.NoSuchFile"}},
    {ENOTDIR, "Not a directory", {"Messages", "Reason.NotADirectory"}},
    {EISDIR, "Is a directory", {"Messages", "Reason.IsADirectory"}},
    {ENOSPC, "No space left on device", {"Messages", "Reason.NoSpace"}},
    {EDQUOT, "Disk quota exceeded", {"Messages", "Reason.QuotaExceeded"}},
    {EROFS, "Read-only file system", {"Messages", "Reason.ReadOnly"}},
    {ENAMETOOLONG, "File name too long", {"Messages", "Reason.NameTooLong"}},
    {EMFILE, "Too many open files", {"Messages", "Reason.TooManyFiles"}},
    {EIO, "Input/output error", {"Messages", "Reason.InputOutput"}},
    {ELOOP, "Too many levels of symbolic links", {"Messages", "Reason.TooManyLinks"}},
};

} // namespace

QString Tr(TTextKey key) {
    return QString::fromStdString(TextOf(key));
}

QString TrFormat(TTextKey key, const QStringList& args) {
    const std::vector<std::string> utf8 = Utf8(args);
    try {
        return QString::fromStdString(FormatText(TextOf(key), utf8));
    } catch (const std::exception&) {
        return QString::fromStdString(FormatText(key.Row().BuiltIn, utf8));
    }
}

std::optional<QLocale> ParseLocale(std::string_view name) {
    const QString text =
        QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QLocale locale(text);
    // Qt answers every name it does not know with the "C" locale.
    if (locale.language() == QLocale::C)
        return std::nullopt;
    return locale;
}

void InstallLocale(const std::optional<QLocale>& locale) {
    TLanguageState& state = State();
    state.ownLocale = locale.has_value();
    state.locale = locale.value_or(QLocale(QLocale::Russian, QLocale::Russia));
    QLocale::setDefault(state.locale);

    if (state.qtTexts) {
        QCoreApplication::removeTranslator(state.qtTexts);
        delete state.qtTexts.data();
    }
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(state.locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        state.qtTexts = translator;
    } else {
        delete translator;
    }
}

void InstallLanguage(const TProfileFile* file) {
    if (file) {
        InstallTexts(*file);
        InstallLocale(ParseLocale(file->Read("Main", "Locale", "")));
    } else {
        InstallBuiltInTexts();
        InstallLocale(std::nullopt);
    }
    // A copy: an observer may remove itself.
    const auto observers = State().observers;
    for (const auto& [id, observer] : observers)
        observer();
}

int AddLanguageObserver(std::function<void()> observer) {
    TLanguageState& state = State();
    state.observers.emplace(++state.lastObserver, std::move(observer));
    return state.lastObserver;
}

void RemoveLanguageObserver(int id) {
    State().observers.erase(id);
}

QLocale TextLocale() {
    return State().locale;
}

bool HasOwnLocale() {
    return State().ownLocale;
}

QString SystemReason(const QString& reason) {
    for (const TReason& known : Reasons)
        if (reason == QLatin1String(known.english) ||
            reason == QString::fromLocal8Bit(std::strerror(known.code)).trimmed())
            return Tr(known.key);
    return reason;
}

QString CannotCreateMessage(const QString& fileName, const QString& reason) {
    const QString fullName = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    return TrFormat({"Messages", "CannotCreate"}, {fullName, SystemReason(reason)}).trimmed();
}
