#include "main/Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

struct TLanguageState {
    QLocale locale{QLocale::Russian, QLocale::Russia};
    bool ownLocale = false;
    QPointer<QTranslator> qtTexts;
};

TLanguageState& State() {
    static TLanguageState state;
    return state;
}

} // namespace

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

QLocale TextLocale() {
    return State().locale;
}

bool HasOwnLocale() {
    return State().ownLocale;
}
