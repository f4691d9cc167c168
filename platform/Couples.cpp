#include "platform/Couples.h"

#include "platform/LanguageFile.h"
#include "platform/SettingsPath.h"

#include <QDate>

TCoupleReading CoupleReading() {
    return {[](std::string_view bytes) {
                return DecodeLanguageText(
                           QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))
                    .toStdString();
            },
            TShortDateFormat::FromPattern(RegionalShortDateFormat().toStdString()),
            QDate::currentDate().year()};
}

std::vector<TStoredCouple> StoredCouples(const TProfileFile& settings) {
    return ReadCouples(settings, CoupleReading());
}
