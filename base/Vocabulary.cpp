#include "base/Vocabulary.h"

#include "model/Shared.h"

const std::array<std::string_view, 12> BuiltInMonthNames{
    "января", "февраля", "марта",    "апреля",  "мая",    "июня",
    "июля",   "августа", "сентября", "октября", "ноября", "декабря"};

const std::array<std::string_view, 12> BuiltInZodiacNames{
    "Овен", "Телец",    "Близнецы", "Рак",     "Лев",     "Дева",
    "Весы", "Скорпион", "Стрелец",  "Козерог", "Водолей", "Рыбы"};

const std::array<std::string_view, 4> BuiltInElementNames{"Земля", "Вода", "Огонь", "Воздух"};

void InstallBuiltInNames() {
    for (int n = 1; n <= 12; ++n)
        MonthNames.Set(n, std::string(BuiltInMonthNames[static_cast<std::size_t>(n - 1)]));
    for (int n = 1; n <= 12; ++n)
        ZodiacNames.Set(n, std::string(BuiltInZodiacNames[static_cast<std::size_t>(n - 1)]));
    for (int n = 1; n <= 4; ++n)
        ElementNames.Set(n, std::string(BuiltInElementNames[static_cast<std::size_t>(n - 1)]));
}

namespace {

std::string FourDigits(int year) {
    std::string digits = std::to_string(year);
    return std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
}

} // namespace

std::string LongDateText(TDateTime date) {
    const auto ymd = DecodeDate(date);
    if (!ymd)
        return {};
    return std::to_string(unsigned{ymd->day()}) + " " +
           MonthNames[static_cast<int>(unsigned{ymd->month()})] + " " +
           FourDigits(int{ymd->year()}) + " г.";
}
