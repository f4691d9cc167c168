#include "platform/Translation.h"

#include "base/LanguageForms.h"
#include "base/PluralRules.h"
#include "base/TextFormat.h"
#include "base/Vocabulary.h"
#include "model/Report.h"
#include "model/Shared.h"
#include "platform/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QTranslator>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Qt's own texts that its translations leave in English, taken from the text table instead.
class TQtTextOverrides final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* source, const char*, int) const override {
        struct TOverride {
            const char* context;
            const char* source;
            TTextKey key;
        };
        static const TOverride overrides[] = {{"QPlatformTheme", "OK", {"Dialogs", "OK"}}};
        for (const TOverride& override : overrides)
            if (std::strcmp(context, override.context) == 0 &&
                std::strcmp(source, override.source) == 0)
                return Tr(override.key);
        return {};
    }
    bool isEmpty() const override { return false; }
};

struct TLanguageState {
    QLocale locale{QLocale::Russian, QLocale::Russia};
    bool ownLocale = false;
    // The language file's [Words] entries, "Year.one" and the like.
    std::map<std::string, std::string> words;
    QString helpDocument;
    QPointer<QTranslator> qtTexts;
    QString qtTextsLocale; // the locale qtTexts were loaded for
    QPointer<QTranslator> overrides;
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
    return QString::fromStdString(FormatTextOf(key, Utf8(args)));
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

    // Loading Qt's translations takes a while; the same locale keeps the ones it has.
    if (state.qtTextsLocale == state.locale.name() && state.overrides)
        return;
    state.qtTextsLocale = state.locale.name();
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
    // Asked first: the translator installed last is.
    if (!state.overrides)
        state.overrides = new TQtTextOverrides(QCoreApplication::instance());
    QCoreApplication::removeTranslator(state.overrides);
    QCoreApplication::installTranslator(state.overrides);
}

void InstallLanguage(const TProfileFile* file) {
    std::map<std::string, std::string>& words = State().words;
    words.clear();
    State().helpDocument.clear();
    if (file) {
        InstallTexts(*file);
        InstallLocale(ParseLocale(file->Read("Main", "Locale", "")));
        for (const char* kind : {"Year", "Day"})
            for (TPlural category : {TPlural::Zero, TPlural::One, TPlural::Two, TPlural::Few,
                                     TPlural::Many, TPlural::Other}) {
                std::string key(kind); // appended: GCC 12's false -Wrestrict on "." + string
                key += '.';
                key += PluralName(category);
                if (auto word = file->Read("Words", key))
                    words.emplace(key, std::move(*word));
            }
    } else {
        InstallBuiltInTexts();
        InstallLocale(std::nullopt);
    }
    // The layers without Qt write dates, counts and numbers as the windows do.
    InstallLanguageForms(
        {[](TDateTime date) { return LongDate(date).toStdString(); },
         [](std::int32_t number, bool days) { return CountText(number, days).toStdString(); },
         [](std::int32_t tenths) { return DecimalText(tenths).toStdString(); },
         [](std::int32_t number) { return IntegerText(number).toStdString(); },
         // The locale's order and separator; without a locale, the Russian form.
         HasOwnLocale() ? TShortDateFormat::FromPattern(
                              TextLocale().dateFormat(QLocale::ShortFormat).toStdString())
                        : TShortDateFormat{}});
    // A copy: an observer may remove itself.
    const auto observers = State().observers;
    for (const auto& [id, observer] : observers)
        observer();
}

void SetHelpDocument(const QString& path) {
    State().helpDocument = path;
}

std::optional<QByteArray> LanguageHelpDocument() {
    TFileRead read = ReadRegularFile(State().helpDocument, MaxHelpDocumentSize);
    if (read.status != TFileRead::Read || read.bytes.isEmpty())
        return std::nullopt;
    return std::move(read.bytes);
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

QString FullFileName(const QString& fileName) {
    return QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
}

QString CannotCreateMessage(const QString& fileName, const QString& reason) {
    return TrFormat({"Messages", "CannotCreate"}, {FullFileName(fileName), SystemReason(reason)})
        .trimmed();
}

QString CannotWriteMessage(const QString& fileName) {
    return TrFormat({"Messages", "CannotWrite"}, {FullFileName(fileName)});
}

QString CountText(std::int32_t number, bool days) {
    const TLanguageState& state = State();
    const std::string kind = days ? "Day." : "Year.";
    const std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    const std::string language =
        state.ownLocale ? QLocale::languageToCode(state.locale.language()).toStdString() : "ru";
    auto word =
        state.words.find(kind + std::string(PluralName(PluralCategory(language, magnitude))));
    if (word == state.words.end())
        word = state.words.find(kind + "other");
    if (word == state.words.end())
        return QString::fromStdString(CountWithWord(number, days));
    return IntegerText(number) + QLatin1Char(' ') + QString::fromStdString(word->second);
}

QString IntegerText(std::int32_t number) {
    return HasOwnLocale() ? TextLocale().toString(number) : QString::number(number);
}

namespace {

// The locale's long date format without the weekday, which the program never shows.
QString LongDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::LongFormat);
    // "dddd, d MMMM yyyy", "dddd 'den' d. MMMM yyyy", "yyyy年M月d日dddd".
    static const QRegularExpression leading(QStringLiteral("^dddd[\\s,.]*('[^']*'\\s*)?"));
    static const QRegularExpression elsewhere(QStringLiteral("[\\s,]*dddd"));
    return format.remove(leading).remove(elsewhere).trimmed();
}

} // namespace

QString LongDate(TDateTime date) {
    if (!HasOwnLocale())
        return QString::fromStdString(LongDateText(date));
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return {};
    const QDate day(int{ymd->year()}, static_cast<int>(unsigned{ymd->month()}),
                    static_cast<int>(unsigned{ymd->day()}));
    return TextLocale().toString(day, LongDateFormat(TextLocale()));
}

QString FoundDay(TDateTime day) {
    return QString::fromStdString(FoundDayForm(day));
}

QString DatePickerFormat() {
    return HasOwnLocale() ? LongDateFormat(TextLocale()) : QStringLiteral("d MMMM yyyy г.");
}

QString DecimalText(std::int32_t tenths) {
    QString text = QString::fromStdString(TenthsText(tenths));
    if (HasOwnLocale())
        text.replace(QLatin1Char(','), TextLocale().decimalPoint());
    return text;
}
